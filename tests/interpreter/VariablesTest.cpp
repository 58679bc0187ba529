#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "interpreter/ScriptRun.h"

namespace {

/// Runs an action on an engine holding the one-line text "v;"; gives the error text or "".
std::string ErrorOf(const std::function<void(ScriptReader&)>& action, ScriptReader& engine) {
    try {
        action(engine);
    } catch (const ErrorMsg& error) {
        return error.text;
    }
    return "";
}

std::string E(const char* message) { return OneLineError("v;", message); }

TEST(Variables, StoreConvertsToTheDeclaredType) {
    const Value sources[] = {Value(), Value::MakeInt(7), Value::MakeFloat(-2.5), Value::MakeString("t"),
                             Value::MakeExternal()};
    struct Row {
        ValueType target;
        std::vector<std::string> expected;  // by source: Void, Int, Float, String, External
    };
    const std::string voidSource = E("Variables can not be set 'Void'");
    const std::string voidTarget = E("Void variables can not be set");
    const Row rows[] = {
        {ValueType::Void, {voidTarget, voidTarget, voidTarget, voidTarget, "Void"}},
        {ValueType::Int, {voidSource, "Int 7", "Int -2", E("Can not convert 'String' to 'Int'"), "Int 0"}},
        {ValueType::Float, {voidSource, "Float 7", "Float -2.5", E("Can not convert 'String' to 'Float'"), "Float 0"}},
        {ValueType::String,
         {voidSource, E("Can not convert 'Int' to 'String'"), E("Can not convert 'Float' to 'String'"), "String t",
          "String "}},
    };
    for (const Row& row : rows) {
        for (int s = 0; s < 5; ++s) {
            ScriptReader engine;
            ASSERT_EQ(engine.LoadInline("v;"), LoadOutcome::Loaded);
            engine.DefineVariable("v", row.target, 0);
            std::string got = ErrorOf([&](ScriptReader& e) { e.SetVariable("v", -1, sources[s], 0); }, engine);
            if (got.empty()) got = Describe(engine.FindVariable("v", false)->value);
            EXPECT_EQ(got, row.expected[s]) << "target " << static_cast<int>(row.target) << ", source " << s;
        }
    }
}

// Scripts read an element before they store into it, so only a direct store meets these.
TEST(Variables, ElementStoresCheckTheirIndex) {
    ScriptReader engine;
    ASSERT_EQ(engine.LoadInline("v;"), LoadOutcome::Loaded);
    engine.DefineVariable("a", ValueType::Int, 3);
    engine.DefineVariable("i", ValueType::Int, 0);
    EXPECT_EQ(ErrorOf([](ScriptReader& e) { e.SetVariable("a", 3, Value::MakeInt(1), 0); }, engine),
              E("Index out of range: 3"));
    EXPECT_EQ(ErrorOf([](ScriptReader& e) { e.SetVariable("i", 0, Value::MakeInt(1), 0); }, engine),
              E("Variable 'i' is none array"));
}

SCRIPT_TABLE(VariableScripts, ResolveNamesByScope)

SCRIPT_ROWS(Scripts, VariableScripts, Fails("int a[3]; return a[3];", "Index 3 out of range for variable 'a'"),
            Fails("int x; x[1] = 2;", "Variable 'x' is none array"),
            Gives("int count = 1; int Count = 2; return count;", "Int 1"),
            Fails("void f() { int y; int y; }", "Variable 'y' already defined"),
            ScriptCase{"u = 5; return u;", "External", "u", ""},
            // 17 names with one initial: the second spellings are looked up through the hashed index
            ScriptCase{"q0;q1;q2;q3;q4;q5;q6;q7;q8;q9;q10;q11;q12;q13;q14;q15;q16;Q5;Q16;", "Void",
                       "q0 q1 q10 q11 q12 q13 q14 q15 q16 q2 q3 q4 q5 q6 q7 q8 q9", ""},
            Gives("int a[3]; a[0] = 7; a[2] = 4; return a * 10 + a[2];", "Int 74"));

}  // namespace
