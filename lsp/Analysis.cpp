#include "Analysis.h"

#include <algorithm>
#include <string>
#include <utility>

#include "Validation.h"
#include "reader/LineBreaks.h"

namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= '0' && c <= '9');
}

/// The byte offset of the engine's 1-based line and byte column, kept inside that line.
std::size_t OffsetOf(const LineIndex& lines, int line, int column) {
    const int index = std::clamp(line - 1, 0, lines.LineCount() - 1);
    const std::size_t start = lines.LineStart(index);
    return std::min(start + static_cast<std::size_t>(std::max(column - 1, 0)), lines.LineEnd(index));
}

/// Where the engine's word at an offset ends: past the name there, or past the one character
/// there when it points at no name; the offset itself at the end of a line.
std::size_t PointedEnd(std::string_view text, const LineIndex& lines, std::size_t start) {
    const std::size_t lineEnd = lines.LineEnd(lines.LineOf(start));
    std::size_t end = start;
    while (end < lineEnd && IsNameChar(text[end])) ++end;
    if (end == start && end < lineEnd) {
        ++end;
        // Keep a UTF-8 character whole.
        while (end < lineEnd && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    }
    return end;
}

/// Byte ranges collected first and turned into protocol ranges together, in one pass.
class RangeBook {
public:
    explicit RangeBook(const LineIndex& lines) : lines(lines) {}

    /// Files a byte range; the number to ask for its protocol range.
    std::size_t Add(std::size_t start, std::size_t end) {
        offsets.push_back(start);
        offsets.push_back(end);
        return offsets.size() / 2 - 1;
    }
    /// Files the name at the engine's line and byte column.
    std::size_t AddName(int line, int column, std::size_t length) {
        const std::size_t start = OffsetOf(lines, line, column);
        return Add(start, start + length);
    }
    void Convert() { positions = lines.ToPositions(offsets); }
    Range Get(std::size_t number) const { return {positions[2 * number], positions[2 * number + 1]}; }

private:
    const LineIndex& lines;
    std::vector<std::size_t> offsets;
    std::vector<Position> positions;
};

}  // namespace

Analysis Analyze(std::string_view text, int version, const std::atomic<bool>* cancel) {
    // The engine ends lines at CR or CR LF only; the protocol also at a bare LF. Converting every
    // break to CR LF keeps each line's bytes, so the engine's lines and columns are the document's.
    std::string engineText = UnifyLineBreaks(text, "\r\n");
    // No host: a load error is declined and comes back as loadError, with no question asked.
    ValidationOptions options;
    options.cancel = cancel;
    options.timeLimitSeconds = kAnalysisTimeLimitSeconds;
    options.collectDeclarations = true;
    // Handed over: the engine keeps the one copy of the converted text.
    const ValidationResult result = Validate(std::move(engineText), options);
    if (result.stop == StopReason::Cancelled) {
        Analysis cancelled;
        cancelled.version = version;
        cancelled.cancelled = true;
        return cancelled;
    }

    const LineIndex lines(text);
    RangeBook book(lines);
    const std::optional<Diagnostic>& error = result.error ? result.error : result.loadError;
    std::size_t errorRange = 0;
    if (error) {
        const std::size_t start = OffsetOf(lines, error->line, error->column);
        errorRange = book.Add(start, PointedEnd(text, lines, start));
    }
    std::vector<std::size_t> externalRanges;
    for (const auto* names : {&result.externalVariables, &result.externalFunctions}) {
        for (const ExternalName& name : *names)
            externalRanges.push_back(book.AddName(name.line, name.column, name.name.size()));
    }
    struct FunctionRanges {
        std::size_t name, full;
        std::vector<std::size_t> parameters;
    };
    std::vector<FunctionRanges> functionRanges;
    for (const DeclaredFunction& declared : result.declarations.functions) {
        FunctionRanges ranges;
        ranges.name = book.AddName(declared.line, declared.column, declared.name.size());
        ranges.full = book.Add(OffsetOf(lines, declared.line, declared.column),
                               OffsetOf(lines, declared.endLine, declared.endColumn));
        for (const DeclaredVariable& parameter : declared.parameters) {
            ranges.parameters.push_back(book.AddName(parameter.line, parameter.column, parameter.name.size()));
        }
        functionRanges.push_back(std::move(ranges));
    }
    std::vector<std::size_t> globalRanges;
    for (const DeclaredVariable& declared : result.declarations.globalVariables) {
        globalRanges.push_back(book.AddName(declared.line, declared.column, declared.name.size()));
    }
    book.Convert();

    Analysis analysis;
    analysis.version = version;
    analysis.loaded = result.load != LoadOutcome::Declined;
    if (error) analysis.findings.push_back({FindingKind::Error, book.Get(errorRange), error->message});
    std::size_t next = 0;
    for (const ExternalName& name : result.externalVariables) {
        analysis.findings.push_back({FindingKind::External, book.Get(externalRanges[next++]),
                                     "external variable '" + name.name + "' must be supplied by the host"});
    }
    for (const ExternalName& name : result.externalFunctions) {
        analysis.findings.push_back({FindingKind::External, book.Get(externalRanges[next++]),
                                     "external function '" + name.name + "' must be supplied by the host"});
    }
    for (std::size_t k = 0; k < functionRanges.size(); ++k) {
        const DeclaredFunction& declared = result.declarations.functions[k];
        FunctionSymbol function{
            declared.name, declared.returnType, {}, book.Get(functionRanges[k].name), book.Get(functionRanges[k].full)};
        for (std::size_t p = 0; p < declared.parameters.size(); ++p) {
            const DeclaredVariable& parameter = declared.parameters[p];
            function.parameters.push_back(
                {parameter.name, parameter.type, parameter.arraySize, book.Get(functionRanges[k].parameters[p])});
        }
        analysis.functions.push_back(std::move(function));
    }
    for (std::size_t k = 0; k < globalRanges.size(); ++k) {
        const DeclaredVariable& declared = result.declarations.globalVariables[k];
        analysis.globalVariables.push_back(
            {declared.name, declared.type, declared.arraySize, book.Get(globalRanges[k])});
    }
    return analysis;
}

std::string_view TypeName(ValueType type) {
    switch (type) {
    case ValueType::Int:
        return "int";
    case ValueType::Float:
        return "float";
    case ValueType::String:
        return "string";
    case ValueType::Void:
    case ValueType::External:
        break;
    }
    return "void";
}

std::string DescribeVariable(const VariableSymbol& variable) {
    std::string text = std::string(TypeName(variable.type)) + " " + variable.name;
    if (variable.arraySize > 0) text += "[" + std::to_string(variable.arraySize) + "]";
    return text;
}

std::string DescribeFunction(const FunctionSymbol& function) {
    std::string text = std::string(TypeName(function.returnType)) + " " + function.name + "(";
    for (std::size_t k = 0; k < function.parameters.size(); ++k) {
        if (k > 0) text += ", ";
        text += DescribeVariable(function.parameters[k]);
    }
    return text + ")";
}
