#include "cli/Report.h"

#include <vector>

#include "cli/CliMessages.h"
#include "reader/ReaderMessages.h"
#include "cli/JsonWriter.h"

using namespace ReaderMessages;

namespace {

void WriteNames(std::FILE* out, const char* title, const std::vector<ExternalName>& names) {
    std::fputs(title, out);
    std::fputc('\n', out);
    for (const ExternalName& name : names) std::fprintf(out, kNameLine, name.name.c_str());
}

void WriteNameArray(JsonWriter& json, const char* key, const std::vector<ExternalName>& names) {
    json.Key(key);
    json.BeginArray();
    for (const ExternalName& name : names) json.String(name.name);
    json.EndArray();
}

const char* TypeName(ValueType type) {
    switch (type) {
        case ValueType::Int: return "Int";
        case ValueType::Float: return "Float";
        case ValueType::String: return "String";
        case ValueType::External: return "External";
        case ValueType::Void: break;
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

}  // namespace

void WritePlainReport(std::FILE* out, const std::string& file, const ValidationResult& report, bool heading) {
    if (heading) std::fprintf(out, kFileHeading, file.c_str());
    std::fputs(report.message.c_str(), out);
    std::fputc('\n', out);
    WriteNames(out, kExternalVariablesUsed, report.externalVariables);
    WriteNames(out, kExternalFunctionsUsed, report.externalFunctions);
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
    if (report.error) {
        json.BeginObject();
        json.Key("component");
        json.String(report.error->component);
        json.Key("text");
        json.String(report.error->text);
        json.EndObject();
    } else {
        json.Null();
    }
    WriteNameArray(json, "externalVariables", report.externalVariables);
    WriteNameArray(json, "externalFunctions", report.externalFunctions);
    json.Key("result");
    WriteResult(json, report.result);
    json.EndObject();
    return json.Text() + '\n';
}
