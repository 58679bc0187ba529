#pragma once
#include <string>

#include "reader/ScriptReader.h"

/// A host that records the load error it was asked about and gives a fixed answer.
struct FakeHost : ScriptHost {
    explicit FakeHost(bool answer) : answer(answer) {}
    bool AskToContinue(const Diagnostic& loadError) override {
        asked = loadError;
        ++questions;
        return answer;
    }
    bool answer;
    Diagnostic asked;   ///< the last load error asked about
    int questions = 0;  ///< how often the host was asked
};

/// The text of a script error on a 1-based line of "*inline*" with its three context lines.
inline std::string Report(int line, const std::string& message, const std::string& previous, const std::string& current,
                          const std::string& next) {
    return "file:'*inline*', line: " + std::to_string(line) + ": " + message + "\n\n" + previous + "\n" + current +
           "\n" + next;
}
