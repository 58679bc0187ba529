// Validations on several threads at once, as tarvel-check -j runs them: each must come out
// exactly as it does alone, and the shared log, warning counters and random generator must
// stay whole. The sanitizer build runs these too.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Validation.h"
#include "reader/ReaderTestSupport.h"
#include "support/LogCapture.h"
#include "values/MersenneTwister.h"

namespace {

constexpr const char* kScripts[] = {
    "int x;\r\nx = y + f(2);\r\n",
    "int x;\r\nx = 1\r\n",
    "#foo\r\nint x;\r\n",
    "int f(int n) {\r\n  return n + \"s\";\r\n}\r\nf(1);\r\n",
    "int i;\r\ni = rand() * 1000000 + 5;\r\nint a[2];\r\na[i] = 1;\r\n",
    "float g(int n) { return rand() + n; }\r\nreturn g(1) + g(2);\r\n",
};
constexpr int kThreads = 4;
constexpr char kEntryEnd[] = "(Time:0.00, free sysmem:1501)\n";
constexpr int kRounds = 12;

// Everything a host can see of one validation.
std::string Describe(const ValidationResult& result) {
    std::string text = result.message + "|";
    if (result.loadError) text += result.loadError->text + "|";
    for (const auto& name : result.externalVariables) text += name.name + ",";
    for (const auto& name : result.externalFunctions) text += name.name + ",";
    text += "|" + std::to_string(static_cast<int>(result.result.type)) + ":" + std::to_string(result.result.f) + ":" +
            std::to_string(result.randomDraws);
    return text;
}

std::string ValidateFresh(const char* script, bool continueLoad = true) {
    FakeHost host(continueLoad);
    MersenneTwister random;
    return Describe(Validate(script, {&host, &random}));
}

// The log's entries; a garbled tail that ends no entry becomes an entry of its own.
std::vector<std::string> Entries(const std::string& log) {
    std::vector<std::string> entries;
    const size_t length = sizeof kEntryEnd - 1;
    size_t at = 0;
    for (size_t end; (end = log.find(kEntryEnd, at)) != std::string::npos; at = end + length) {
        entries.push_back(log.substr(at, end + length - at));
    }
    if (at < log.size()) entries.push_back(log.substr(at));
    return entries;
}

// Runs the body on kThreads threads at once, each told its number.
template <typename Body>
void OnThreads(Body body) {
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) threads.emplace_back([&body, t] { body(t); });
    for (std::thread& thread : threads) thread.join();
}

// Each validation comes out as it does alone, and the log of validations side by side holds
// the entries of the same validations one after the other, each whole, in some order.
TEST(ConcurrentValidation, EachComesOutAsAloneAndTheLogKeepsEveryEntryWhole) {
    std::vector<std::string> alone;
    std::multiset<std::string> expected;
    {
        LogCapture log;
        for (const char* script : kScripts) alone.push_back(ValidateFresh(script));
        const std::vector<std::string> once = Entries(log.Contents());
        for (int copy = 0; copy < kThreads * kRounds; ++copy) expected.insert(once.begin(), once.end());
    }
    LogCapture log;
    std::vector<std::vector<std::string>> seen(kThreads);
    OnThreads([&](int t) {
        for (int round = 0; round < kRounds; ++round) {
            for (size_t k = 0; k < std::size(kScripts); ++k) {
                // Each thread starts elsewhere in the list, so different scripts meet.
                const size_t pick = (k + static_cast<size_t>(t)) % std::size(kScripts);
                seen[t].push_back(std::to_string(pick) + ":" + ValidateFresh(kScripts[pick]));
            }
        }
    });
    for (const auto& results : seen) {
        for (const std::string& result : results) {
            const size_t pick = std::stoul(result.substr(0, result.find(':')));
            EXPECT_EQ(result.substr(result.find(':') + 1), alone[pick]);
        }
    }
    const std::vector<std::string> entries = Entries(log.Contents());
    EXPECT_EQ(std::multiset<std::string>(entries.begin(), entries.end()), expected);
}

TEST(ConcurrentValidation, WarningsFromManyThreadsAreAllCountedAndLogged) {
    LogCapture log;
    constexpr int kWarnings = 200;
    OnThreads([](int t) {
        ErrorClass component;
        for (int k = 0; k < kWarnings; ++k) component.Warning("thread %d warning %d", t, k);
    });
    EXPECT_EQ(WarningCount(), unsigned{kThreads * kWarnings});
    const std::string all = log.Contents();
    int lines = 0;
    for (size_t at = 0, end; (end = all.find('\n', at)) != std::string::npos; at = end + 1) {
        const std::string line = all.substr(at, end - at);
        EXPECT_EQ(line.rfind("Warning:Undefined: thread ", 0), 0u) << line;
        EXPECT_TRUE(EndsWith(line, " (Time:0.00, free sysmem:1501)")) << line;
        ++lines;
    }
    EXPECT_EQ(lines, kThreads * kWarnings);
}

TEST(RandomGenerator, AValidationDrawsFromItsOwnGeneratorAndCountsTheDraws) {
    ResetProcessRandomForTesting();
    MersenneTwister reference;
    const uint32_t first = reference.Next();

    MersenneTwister own;
    EXPECT_TRUE(own.IsFresh());
    const ValidationResult drew = Validate("float a;\r\na = rand() + rand(1) + rand(1, 2);\r\n", {nullptr, &own});
    EXPECT_EQ(drew.randomDraws, 3u);
    EXPECT_FALSE(own.IsFresh());
    EXPECT_EQ(Validate("int x;", {nullptr, &own}).randomDraws, 0u);
    // The process-wide generator was not touched: it still starts its sequence.
    EXPECT_EQ(NextProcessRandom(), first);

    // Several validations on one generator continue one sequence, as the process-wide one does.
    MersenneTwister continued;
    for (int k = 0; k < 3; ++k) (void)continued.Next();
    const ValidationResult next = Validate("return rand();", {nullptr, &own});
    EXPECT_EQ(next.result.f, continued.Next() / 4294967295.0);
    ResetProcessRandomForTesting();
}

}  // namespace
