#include <gtest/gtest.h>

#include <string>

#include "diagnostics/ErrorMsg.h"
#include "reader/ReaderTestSupport.h"
#include "support/LogCapture.h"

namespace {

constexpr char kBadDirective[] = "#define X\r $";

TEST(ScriptReader, EmptyTextRunsToAVoidResult) {
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline(""), LoadOutcome::Loaded);
    engine.result = Value::MakeInt(7);
    EXPECT_EQ(engine.Run().type, ValueType::Void);
    EXPECT_EQ(engine.finished.load(), 1);
    EXPECT_EQ(engine.failed, 0);
}

TEST(ScriptReader, LoadErrorIsLoggedAndNoOrNoHostDeclines) {
    LogCapture log;
    FakeHost no(false);
    EXPECT_EQ(ScriptReader(&no).LoadInline(kBadDirective), LoadOutcome::Declined);
    const std::string report = Report(1, "Invalid precompiler command: 'define'", " ", "#define X", " $");
    const std::string raised = "Error:ScriptReader: " + report, asked = "Script Error: " + report;
    EXPECT_EQ(log.Contents(), LogCapture::Entries({raised.c_str(), asked.c_str()}));
    EXPECT_EQ(ScriptReader().LoadInline(kBadDirective), LoadOutcome::Declined);
}

// With Yes the run goes on from the place the load error was raised, and the run's own error
// crosses back from the worker thread under the engine's name.
TEST(ScriptReader, ContinuedLoadRunsFromTheErrorAndReportsTheRunError) {
    FakeHost yes(true);
    ScriptReader engine(&yes);
    ASSERT_EQ(engine.LoadInline(kBadDirective), LoadOutcome::Continued);
    EXPECT_EQ(engine.position, 7);  // just after "define"
    try {
        (void)engine.Run();
        ADD_FAILURE() << "no error raised";
    } catch (const ErrorMsg& error) {
        EXPECT_STREQ(error.component, "ScriptReader");
        EXPECT_EQ(std::string(error.text), Report(2, "Encountered invalid character: $ (36)", "#define X", " $", " "));
    }
    EXPECT_EQ(engine.failed, 1);
}

}  // namespace
