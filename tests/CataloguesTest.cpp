// Every message catalogue of the engine in one translation unit: a name defined twice across
// subsystems stops this file from compiling, where separate translation units would let the
// linker keep either text.
#include <gtest/gtest.h>

#include "containers/ContainerMessages.h"
#include "diagnostics/DiagnosticMessages.h"
#include "interpreter/InterpreterMessages.h"
#include "interpreter/ScriptRun.h"
#include "reader/ReaderMessages.h"
#include "values/ValueMessages.h"

namespace {

// The scanner and the statement executor word the end of the text differently; each must
// keep its own spelling in one and the same program.
TEST(Catalogues, SameLookingTextsOfTwoSubsystemsStayApart) {
    EXPECT_EQ(RunScript("x = 1e").result, "load failed");  // the scanner's, met while loading
    EXPECT_EQ(RunScript("x = 1 +").result, OneLineError("x = 1 +", "Unexpected end of file"));
    EXPECT_EQ(RunScript("int f(int a ").result, OneLineError("int f(int a ", "unexpected end of file"));
}

}  // namespace
