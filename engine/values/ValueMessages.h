#pragma once

// Messages of values, expressions and built-in functions, byte for byte as the script error
// report prints them. The operators' texts are printf formats used without arguments, so a
// percent sign is written "%%".

namespace ValueMessages {

// Evaluation.
inline constexpr char kUnknownOperator[] = "Unknown operator '%s'";
inline constexpr char kMissingSemicolonInStatement[] = "Invalid statement. Missing ';' ?";
inline constexpr char kCompilerErrorMinus[] = "Compiler error: '-'";

// Built-in functions.
inline constexpr char kBuiltinInvalidParameters[] = "Invalid parameters for function '%s'";
inline constexpr char kBuiltinVoidToFloat[] = "Can not convert 'Void' to 'Float'";
inline constexpr char kBuiltinVoidToInt[] = "Can not convert 'Void' to 'Int'";
inline constexpr char kBuiltinVoidToString[] = "Can not convert 'Void' to 'String'";

// Unary operators.
inline constexpr char kNotNoRValue[] = "No R-value for '!'";
inline constexpr char kNotOnVoid[] = "Operator '!' not applicable on 'Void'";
inline constexpr char kNotOnString[] = "Operator '!' not applicable on 'String'";
inline constexpr char kComplementNoRValue[] = "No R-value for '~'";
inline constexpr char kComplementOnVoid[] = "Operator '~' not applicable on 'Void'";
inline constexpr char kComplementOnFloat[] = "Operator '~' not applicable on 'Float'";
inline constexpr char kComplementOnString[] = "Operator '~' not applicable on 'String'";
inline constexpr char kIncrementInvalidLValue[] = "Invalid L-value for '++'";
inline constexpr char kIncrementOnVoid[] = "Operator '++' not applicable on 'Void'";
inline constexpr char kIncrementOnFloat[] = "Operator '++' not applicable on 'Float'";
inline constexpr char kIncrementOnString[] = "Operator '++' not applicable on 'String'";
inline constexpr char kDecrementInvalidLValue[] = "Invalid L-value for '--'";
inline constexpr char kDecrementOnVoid[] = "Operator '--' not applicable on 'Void'";
inline constexpr char kDecrementOnFloat[] = "Operator '--' not applicable on 'Float'";
inline constexpr char kDecrementOnString[] = "Operator '--' not applicable on 'String'";
inline constexpr char kMinusNoRValue[] = "No R-value for '-'";
inline constexpr char kMinusOnVoid[] = "Operator '-' not applicable on 'Void'";
inline constexpr char kMinusUnaryOnString[] = "Unary operator '-' not applicable on 'String'";
inline constexpr char kMinusOnString[] = "Operator '-' not applicable on 'String'";
inline constexpr char kPlusNoRValue[] = "No R-value for '+'";
inline constexpr char kPlusOnVoid[] = "Operator '+' not applicable on 'Void'";
inline constexpr char kPlusUnaryOnString[] = "Unary operator '+' not applicable on 'String'";
inline constexpr char kPlusOnlyStrings[] = "String Operator '+' can only operate on 'String'";

// Arithmetic.
inline constexpr char kMultiplyNoLValue[] = "No L-value for operator '*'";
inline constexpr char kMultiplyNoRValue[] = "No R-value for '*'";
inline constexpr char kMultiplyOnVoid[] = "Operator '*' not applicable on 'Void'";
inline constexpr char kMultiplyOnString[] = "Operator '*' not applicable on 'String'";
inline constexpr char kDivideNoLValue[] = "No L-value for operator '/'";
inline constexpr char kDivideNoRValue[] = "No R-value for '/'";
inline constexpr char kDivideOnVoid[] = "Operator '/' not applicable on 'Void'";
inline constexpr char kDivideOnString[] = "Operator '/' not applicable on 'String'";
inline constexpr char kModuloNoLValue[] = "No L-value for operator '%%'";
inline constexpr char kModuloNoRValue[] = "No R-value for '%%'";
inline constexpr char kModuloOnVoid[] = "Operator '%%' not applicable on 'Void'";
inline constexpr char kModuloOnString[] = "Operator '%%' not applicable on 'String'";

// Comparisons and equality.
inline constexpr char kGreaterNoLValue[] = "No L-value for operator '>'";
inline constexpr char kGreaterNoRValue[] = "No R-value for '>'";
inline constexpr char kGreaterOnVoid[] = "Operator '>' not applicable on 'Void'";
inline constexpr char kGreaterCannotCompare[] = "Operator '>' can not compare 'String' with type other than 'String'";
inline constexpr char kLessNoLValue[] = "No L-value for operator '<'";
inline constexpr char kLessNoRValue[] = "No R-value for '<'";
inline constexpr char kLessOnVoid[] = "Operator '<' not applicable on 'Void'";
inline constexpr char kLessCannotCompare[] = "Operator '<' can not compare 'String' with type other than 'String'";
inline constexpr char kGreaterEqualNoLValue[] = "No L-value for operator '>='";
inline constexpr char kGreaterEqualNoRValue[] = "No R-value for '>='";
inline constexpr char kGreaterEqualOnVoid[] = "Operator '>=' not applicable on 'Void'";
inline constexpr char kGreaterEqualCannotCompare[] =
    "Operator '>=' can not compare 'String' with type other than 'String'";
inline constexpr char kLessEqualNoLValue[] = "No L-value for operator '<='";
inline constexpr char kLessEqualNoRValue[] = "No R-value for '<='";
inline constexpr char kLessEqualOnVoid[] = "Operator '<=' not applicable on 'Void'";
inline constexpr char kLessEqualCannotCompare[] =
    "Operator '<=' can not compare 'String' with type other than 'String'";
inline constexpr char kEqualNoLValue[] = "No L-value for operator '=='";
inline constexpr char kEqualNoRValue[] = "No R-value for '=='";
inline constexpr char kEqualOnVoid[] = "Operator '==' not applicable on 'Void'";
inline constexpr char kEqualCannotCompare[] = "Operator '==' can not compare 'String' with type other than 'String'";
inline constexpr char kNotEqualNoLValue[] = "No L-value for operator '!='";
inline constexpr char kNotEqualNoRValue[] = "No R-value for '!='";
inline constexpr char kNotEqualOnVoid[] = "Operator '!=' not applicable on 'Void'";
inline constexpr char kNotEqualCannotCompare[] = "Operator '!=' can not compare 'String' with type other than 'String'";
inline constexpr char kEqualIgnoreCaseNoLValue[] = "No L-value for operator '~='";
inline constexpr char kEqualIgnoreCaseNoRValue[] = "No R-value for '~='";
inline constexpr char kEqualIgnoreCaseOnVoid[] = "Operator '~=' not applicable on 'Void'";
inline constexpr char kEqualIgnoreCaseOnlyStrings[] = "Operator '~=' can only compare 'String' with 'String'";

// Bitwise and logical operators.
inline constexpr char kBitAndNoLValue[] = "No L-value for operator '&'";
inline constexpr char kBitAndNoRValue[] = "No R-value for '&'";
inline constexpr char kBitAndOnVoid[] = "Operator '&' not applicable on 'Void'";
inline constexpr char kBitAndOnFloat[] = "Operator '&' can not operate on 'Float'";
inline constexpr char kBitAndOnString[] = "Operator '&' can not operate on 'String'";
inline constexpr char kBitOrNoLValue[] = "No L-value for operator '|'";
inline constexpr char kBitOrNoRValue[] = "No R-value for '|'";
inline constexpr char kBitOrOnVoid[] = "Operator '|' not applicable on 'Void'";
inline constexpr char kBitOrOnFloat[] = "Operator '|' can not operate on 'Float'";
inline constexpr char kBitOrOnString[] = "Operator '|' can not operate on 'String'";
inline constexpr char kBitXorNoLValue[] = "No L-value for operator '^'";
inline constexpr char kBitXorNoRValue[] = "No R-value for '^'";
inline constexpr char kBitXorOnVoid[] = "Operator '^' not applicable on 'Void'";
inline constexpr char kBitXorOnFloat[] = "Operator '^' can not operate on 'Float'";
inline constexpr char kBitXorOnString[] = "Operator '^' can not operate on 'String'";
inline constexpr char kLogicalAndNoLValue[] = "No L-value for operator '&&'";
inline constexpr char kLogicalAndNoRValue[] = "No R-value for '&&'";
inline constexpr char kLogicalAndOnVoid[] = "Operator '&&' not applicable on 'Void'";
inline constexpr char kLogicalAndNotValid[] = "Operator '&&' not valid with 'String'";
inline constexpr char kLogicalOrNoLValue[] = "No L-value for operator '||'";
inline constexpr char kLogicalOrNoRValue[] = "No R-value for '||'";
inline constexpr char kLogicalOrOnVoid[] = "Operator '||' not applicable on 'Void'";
inline constexpr char kLogicalOrNotValid[] = "Operator '||' not valid with 'String'";

// Assignments.
inline constexpr char kAssignNoLValue[] = "No L-value for operator '='";
inline constexpr char kAssignNoRValue[] = "No R-value for '='";
inline constexpr char kAssignInvalidLValue[] = "Invalid L-value for '='";
inline constexpr char kAssignOnVoid[] = "Operator '=' not applicable on 'Void'";
inline constexpr char kAssignTypeMismatch[] = "Operator '=' type mismatch";
inline constexpr char kAddAssignNoLValue[] = "No L-value for operator '+='";
inline constexpr char kAddAssignNoRValue[] = "No R-value for '+='";
inline constexpr char kAddAssignInvalidLValue[] = "Invalid L-value for '+='";
inline constexpr char kAddAssignOnVoid[] = "Operator '+=' not applicable on 'Void'";
inline constexpr char kAddAssignTypeMismatch[] = "Operator '+=' type mismatch";
inline constexpr char kSubAssignNoLValue[] = "No L-value for operator '-='";
inline constexpr char kSubAssignNoRValue[] = "No R-value for '-='";
inline constexpr char kSubAssignInvalidLValue[] = "Invalid L-value for '-='";
inline constexpr char kSubAssignOnVoid[] = "Operator '-=' not applicable on 'Void'";
inline constexpr char kSubAssignTypeMismatch[] = "Operator '-=' type mismatch";
inline constexpr char kSubAssignOnString[] = "Operator '-=' not applicable on 'String'";
inline constexpr char kMulAssignNoLValue[] = "No L-value for operator '*='";
inline constexpr char kMulAssignNoRValue[] = "No R-value for '*='";
inline constexpr char kMulAssignInvalidLValue[] = "Invalid L-value for '*='";
inline constexpr char kMulAssignOnVoid[] = "Operator '*=' not applicable on 'Void'";
inline constexpr char kMulAssignTypeMismatch[] = "Operator '*=' type mismatch";
inline constexpr char kMulAssignOnString[] = "Operator '*=' not applicable on 'String'";
inline constexpr char kDivAssignNoLValue[] = "No L-value for operator '/='";
inline constexpr char kDivAssignNoRValue[] = "No R-value for '/='";
inline constexpr char kDivAssignInvalidLValue[] = "Invalid L-value for '/='";
inline constexpr char kDivAssignOnVoid[] = "Operator '/=' not applicable on 'Void'";
inline constexpr char kDivAssignTypeMismatch[] = "Operator '/=' type mismatch";
inline constexpr char kDivAssignOnString[] = "Operator '/=' not applicable on 'String'";
// Doubled here too: a lone "%=" would hand printf an unknown conversion, whose effect is
// undefined; "%%=" prints the operator as %= for certain.
inline constexpr char kModAssignNoLValue[] = "No L-value for operator '%%='";
inline constexpr char kModAssignNoRValue[] = "No R-value for '%%='";
inline constexpr char kModAssignInvalidLValue[] = "Invalid L-value for '%%='";
inline constexpr char kModAssignOnVoid[] = "Operator '%%=' not applicable on 'Void'";
inline constexpr char kModAssignTypeMismatch[] = "Operator '%%=' type mismatch";
inline constexpr char kModAssignOnString[] = "Operator '%%=' not applicable on 'String'";
inline constexpr char kAndAssignNoLValue[] = "No L-value for operator '&='";
inline constexpr char kAndAssignNoRValue[] = "No R-value for '&='";
inline constexpr char kAndAssignInvalidLValue[] = "Invalid L-value for '&='";
inline constexpr char kAndAssignOnVoid[] = "Operator '&=' not applicable on 'Void'";
inline constexpr char kAndAssignTypeMismatch[] = "Operator '&=' type mismatch";
inline constexpr char kAndAssignOnFloat[] = "Operator '&=' not applicable on 'Float'";
inline constexpr char kAndAssignOnString[] = "Operator '&=' not applicable on 'String'";
inline constexpr char kOrAssignNoLValue[] = "No L-value for operator '|='";
inline constexpr char kOrAssignNoRValue[] = "No R-value for '|='";
inline constexpr char kOrAssignInvalidLValue[] = "Invalid L-value for '|='";
inline constexpr char kOrAssignOnVoid[] = "Operator '|=' not applicable on 'Void'";
inline constexpr char kOrAssignTypeMismatch[] = "Operator '|=' type mismatch";
inline constexpr char kOrAssignOnFloat[] = "Operator '|=' not applicable on 'Float'";
inline constexpr char kOrAssignOnString[] = "Operator '|=' not applicable on 'String'";
inline constexpr char kXorAssignNoLValue[] = "No L-value for operator '^='";
inline constexpr char kXorAssignNoRValue[] = "No R-value for '^='";
inline constexpr char kXorAssignInvalidLValue[] = "Invalid L-value for '^='";
inline constexpr char kXorAssignOnVoid[] = "Operator '^=' not applicable on 'Void'";
inline constexpr char kXorAssignTypeMismatch[] = "Operator '^=' type mismatch";
inline constexpr char kXorAssignOnFloat[] = "Operator '^=' not applicable on 'Float'";
inline constexpr char kXorAssignOnString[] = "Operator '^=' not applicable on 'String'";

// Shared by the Int forms of /, %, /= and %=.
inline constexpr char kIntegerDivisionByZero[] = "Integer division by zero";

}  // namespace ValueMessages
