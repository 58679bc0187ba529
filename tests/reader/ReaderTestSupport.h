#pragma once
#include <string>

#include "reader/ScriptReader.h"

/// A host that records the question it was asked and gives a fixed answer.
struct FakeHost : ScriptHost {
    explicit FakeHost(bool answer) : answer(answer) {}
    bool AskYesNo(const char* t, const char* m) override {
        question = std::string(t) + "|" + m;
        return answer;
    }
    bool answer;
    std::string question;  ///< "title|message" of the last question, empty before one
};

/// The text of a script error on a 1-based line of "*inline*" with its three context lines.
inline std::string Report(int line, const std::string& message, const std::string& previous,
                          const std::string& current, const std::string& next) {
    return "file:'*inline*', line: " + std::to_string(line) + ": " + message + "\n\n" + previous +
           "\n" + current + "\n" + next;
}
