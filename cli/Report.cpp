#include "cli/Report.h"

#include <cstdio>
#include <vector>

#include "cli/CliMessages.h"
#include "cli/Formatted.h"
#include "cli/JsonWriter.h"
#include "cli/TerminalText.h"
#include "reader/ReaderMessages.h"

using namespace CliMessages;
using namespace ReaderMessages;

namespace {

void AppendNames(std::string& out, const char* title, const std::vector<ExternalName>& names) {
    out += title;
    out += '\n';
    for (const ExternalName& name : names)
        out += Formatted(kNameLine, TerminalSafe(name.name, LineBreakUse::Escape).c_str());
}

void WriteNameArray(JsonWriter& json, const char* key, const std::vector<ExternalName>& names) {
    json.Key(key);
    json.BeginArray();
    for (const ExternalName& name : names) json.String(name.name);
    json.EndArray();
}

void WriteExternals(JsonWriter& json, const char* kind, const std::vector<ExternalName>& names) {
    for (const ExternalName& name : names) {
        json.BeginObject();
        json.Key("name");
        json.String(name.name);
        json.Key("kind");
        json.String(kind);
        json.Key("line");
        json.Int(name.line);
        json.Key("column");
        json.Int(name.column);
        json.EndObject();
    }
}

void WriteDiagnostic(JsonWriter& json, const Diagnostic* error) {
    if (error == nullptr) return json.Null();
    json.BeginObject();
    json.Key("component");
    json.String(error->component);
    json.Key("text");
    json.String(error->text);
    json.Key("line");
    json.Int(error->line);
    json.Key("column");
    json.Int(error->column);
    json.Key("message");
    json.String(error->message);
    json.Key("phase");
    json.String(error->phase == ErrorPhase::Load ? "load" : "run");
    json.EndObject();
}

const char* TypeName(ValueType type) {
    switch (type) {
    case ValueType::Int:
        return "Int";
    case ValueType::Float:
        return "Float";
    case ValueType::String:
        return "String";
    case ValueType::External:
        return "External";
    case ValueType::Void:
        break;
    }
    return "Void";
}

void WriteResult(JsonWriter& json, const Value& result) {
    json.BeginObject();
    json.Key("type");
    json.String(TypeName(result.type));
    switch (result.type) {
    case ValueType::Int:
        json.Key("value");
        json.Int(result.i);
        break;
    case ValueType::Float:
        json.Key("value");
        json.Float(result.f);
        break;
    case ValueType::String:
        // A string value ends at its first NUL, as everywhere in the engine.
        json.Key("value");
        json.String(result.text.CStr());
        break;
    case ValueType::Void:
    case ValueType::External:
        break;
    }
    json.EndObject();
}

std::string GccLine(const std::string& file, const Diagnostic& error, const char* severity) {
    // The location comes from the engine's own numbers; only the texts need escaping, so that
    // a line break in a message cannot start a line a tool would read as a diagnostic.
    char location[64];
    std::snprintf(location, sizeof location, ":%d:%d: ", error.line, error.column);
    return TerminalSafe(file, LineBreakUse::Escape) + location + severity + ": " +
           TerminalSafe(error.message, LineBreakUse::Escape) + '\n';
}

}  // namespace

const Diagnostic* FailingError(const ValidationResult& report) {
    if (report.error) return &*report.error;
    if (report.load == LoadOutcome::Declined && report.loadError) return &*report.loadError;
    return nullptr;
}

std::string LoadErrorReport(const std::string& file, const Diagnostic& loadError, bool named) {
    const std::string text = TerminalSafe(loadError.text, LineBreakUse::Keep);
    if (named) return Formatted(kNamedLoadErrorReport, TerminalSafe(file, LineBreakUse::Escape).c_str(), text.c_str());
    return Formatted(kLoadErrorReport, text.c_str());
}

std::string PlainReport(const std::string& file, const ValidationResult& report, bool heading) {
    std::string out;
    if (heading) out += Formatted(kFileHeading, TerminalSafe(file, LineBreakUse::Escape).c_str());
    out += TerminalSafe(report.message, LineBreakUse::Keep);
    out += '\n';
    AppendNames(out, kExternalVariablesUsed, report.externalVariables);
    AppendNames(out, kExternalFunctionsUsed, report.externalFunctions);
    return out;
}

std::string JsonReport(const std::string& file, const ValidationResult& report) {
    JsonWriter json;
    json.BeginObject();
    json.Key("file");
    json.String(file);
    json.Key("ok");
    json.Bool(report.ok);
    json.Key("message");
    json.String(report.message);
    json.Key("error");
    WriteDiagnostic(json, FailingError(report));
    WriteNameArray(json, "externalVariables", report.externalVariables);
    WriteNameArray(json, "externalFunctions", report.externalFunctions);
    json.Key("result");
    WriteResult(json, report.result);
    // Answered with Yes, a load error is no longer the file's error, yet a reader of the JSON
    // needs it as much as one of standard error does.
    json.Key("loadError");
    WriteDiagnostic(json, report.loadError ? &*report.loadError : nullptr);
    json.Key("externals");
    json.BeginArray();
    WriteExternals(json, "variable", report.externalVariables);
    WriteExternals(json, "function", report.externalFunctions);
    json.EndArray();
    json.EndObject();
    return json.Text() + '\n';
}

std::string GccReport(const std::string& file, const ValidationResult& report) {
    std::string out;
    if (report.load == LoadOutcome::Continued && report.loadError) out += GccLine(file, *report.loadError, "warning");
    if (const Diagnostic* error = FailingError(report)) out += GccLine(file, *error, "error");
    return out;
}
