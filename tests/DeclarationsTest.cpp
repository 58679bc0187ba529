// The declarations a validation reports: every user function (each arity) and global variable
// with its type and the place of its name, found by the test in the script text itself.
#include <gtest/gtest.h>

#include <string>

#include "Validation.h"
#include "support/ScriptText.h"

namespace {

/// Validates the script as the language server does, asking for its declarations.
ValidationResult Described(const std::string& script) {
    ValidationOptions options;
    options.collectDeclarations = true;
    return Validate(script, options);
}

const std::string kScript =
    "#include \"nothing.c\"\r\n"
    "int count;\r\n"
    "float ratio[4], b;\r\n"
    "int add(int a, float c) { string local; return a; }\r\n"
    "void add(string s) {\r\n"
    "}\r\n"
    "int ADD(int x, int y) { return 0; }\r\n"
    "string title;\r\n";

TEST(Declarations, FunctionsInDeclarationOrderWithEachArityAndTheirPlaces) {
    const ValidationResult result = Described(kScript);
    ASSERT_TRUE(result.ok) << result.message;
    const auto& functions = result.declarations.functions;
    ASSERT_EQ(functions.size(), 2u);  // ADD with two parameters repeats add@2 and is not filed

    EXPECT_EQ(functions[0].name, "add");
    EXPECT_EQ(functions[0].returnType, ValueType::Int);
    ASSERT_EQ(functions[0].parameters.size(), 2u);
    EXPECT_EQ(functions[0].parameters[0].name, "a");
    EXPECT_EQ(functions[0].parameters[0].type, ValueType::Int);
    EXPECT_EQ(functions[0].parameters[1].name, "c");
    EXPECT_EQ(functions[0].parameters[1].type, ValueType::Float);
    const Place name = PlaceOf(kScript, "add(int");
    EXPECT_EQ(functions[0].line, name.line);
    EXPECT_EQ(functions[0].column, name.column);
    const Place parameter = PlaceOf(kScript, "c)");
    EXPECT_EQ(functions[0].parameters[1].line, parameter.line);
    EXPECT_EQ(functions[0].parameters[1].column, parameter.column);
    const Place end = PlaceOf(kScript, "}\r\nvoid");
    EXPECT_EQ(functions[0].endLine, end.line);
    EXPECT_EQ(functions[0].endColumn, end.column + 1);

    EXPECT_EQ(functions[1].name, "add");
    EXPECT_EQ(functions[1].returnType, ValueType::Void);
    ASSERT_EQ(functions[1].parameters.size(), 1u);
    EXPECT_EQ(functions[1].parameters[0].type, ValueType::String);
    EXPECT_EQ(functions[1].line, PlaceOf(kScript, "add(string").line);
    EXPECT_EQ(functions[1].endLine, PlaceOf(kScript, "}\r\nint ADD").line);
}

struct GlobalCase {
    const char* name;
    ValueType type;
    int arraySize;
    const char* marker;
};

TEST(Declarations, GlobalsInDeclarationOrderWithTypesAndPlacesButNoLocals) {
    const GlobalCase expected[] = {
        {"count", ValueType::Int, 0, "count"},
        {"ratio", ValueType::Float, 4, "ratio"},
        {"b", ValueType::Float, 0, "b;"},
        {"title", ValueType::String, 0, "title"},
    };
    const ValidationResult result = Described(kScript);
    const auto& globals = result.declarations.globalVariables;
    ASSERT_EQ(globals.size(), std::size(expected));
    for (size_t k = 0; k < globals.size(); ++k) {
        SCOPED_TRACE(expected[k].name);
        EXPECT_EQ(globals[k].name, expected[k].name);
        EXPECT_EQ(globals[k].type, expected[k].type);
        EXPECT_EQ(globals[k].arraySize, expected[k].arraySize);
        const Place place = PlaceOf(kScript, expected[k].marker);
        EXPECT_EQ(globals[k].line, place.line);
        EXPECT_EQ(globals[k].column, place.column);
    }
}

TEST(Declarations, AFailedRunKeepsWhatWasDeclaredBeforeTheError) {
    const std::string script = "int before;\r\nint f() { return 1; }\r\nbefore = \"text\";\r\nint after;\r\n";
    const ValidationResult result = Described(script);
    ASSERT_TRUE(result.error.has_value());
    ASSERT_EQ(result.declarations.globalVariables.size(), 1u);
    EXPECT_EQ(result.declarations.globalVariables[0].name, "before");
    ASSERT_EQ(result.declarations.functions.size(), 1u);
    EXPECT_EQ(result.declarations.functions[0].name, "f");
}

TEST(Declarations, ADeclinedLoadHasNone) {
    const ValidationResult result = Described("int x;\r\nint y = $;\r\n");
    ASSERT_EQ(result.load, LoadOutcome::Declined);
    EXPECT_TRUE(result.declarations.functions.empty());
    EXPECT_TRUE(result.declarations.globalVariables.empty());
}

}  // namespace
