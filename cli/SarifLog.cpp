#include "cli/SarifLog.h"

#include <cstdio>

#include "TarvelVersion.h"
#include "cli/CliMessages.h"
#include "cli/Formatted.h"
#include "cli/JsonWriter.h"

using namespace CliMessages;

namespace {

struct Rule {
    const char* id;
    const char* name;
    const char* description;
    const char* level;
};

// ORDER RULE: the indices below name these rows.
constexpr Rule kRules[] = {
    {"load-error", "LoadError", kLoadErrorRule, "error"},
    {"run-error", "RunError", kRunErrorRule, "error"},
    {"external-variable", "ExternalVariable", kExternalVariableRule, "note"},
    {"external-function", "ExternalFunction", kExternalFunctionRule, "note"},
};
constexpr int kLoadErrorRuleIndex = 0;
constexpr int kRunErrorRuleIndex = 1;
constexpr int kExternalVariableRuleIndex = 2;
constexpr int kExternalFunctionRuleIndex = 3;

void WriteMessage(JsonWriter& json, const std::string& text) {
    json.Key("message");
    json.BeginObject();
    json.Key("text");
    json.String(text);
    json.EndObject();
}

void WriteLocations(JsonWriter& json, const std::string& file, int line, int column) {
    json.Key("locations");
    json.BeginArray();
    json.BeginObject();
    json.Key("physicalLocation");
    json.BeginObject();
    json.Key("artifactLocation");
    json.BeginObject();
    if (file == "-") {
        // Standard input has no address; a description is all a reader can be given.
        json.Key("description");
        json.BeginObject();
        json.Key("text");
        json.String(kStandardInputName);
        json.EndObject();
    } else {
        json.Key("uri");
        json.String(FileUri(file));
    }
    json.EndObject();
    if (line > 0) {
        json.Key("region");
        json.BeginObject();
        json.Key("startLine");
        json.Int(line);
        json.Key("startColumn");
        json.Int(column);
        json.EndObject();
    }
    json.EndObject();
    json.EndObject();
    json.EndArray();
}

void WriteRules(JsonWriter& json) {
    json.Key("rules");
    json.BeginArray();
    for (const Rule& rule : kRules) {
        json.BeginObject();
        json.Key("id");
        json.String(rule.id);
        json.Key("name");
        json.String(rule.name);
        json.Key("shortDescription");
        json.BeginObject();
        json.Key("text");
        json.String(rule.description);
        json.EndObject();
        json.Key("defaultConfiguration");
        json.BeginObject();
        json.Key("level");
        json.String(rule.level);
        json.EndObject();
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

std::string FileUri(const std::string& file) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri;
    for (const char c : file) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~' || byte == '/';
        // ':' is encoded too: in a first segment it would make "c:x.c" read as a URI scheme.
        if (unreserved) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0x0f];
        }
    }
    return uri;
}

void SarifLog::Add(const std::string& file, const ValidationResult& report) {
    if (report.loadError) {
        const bool declined = report.load == LoadOutcome::Declined;
        results.push_back({kLoadErrorRuleIndex, declined ? "error" : "warning", report.loadError->message, file,
                           report.loadError->line, report.loadError->column});
    }
    if (report.error) {
        const int rule = report.error->phase == ErrorPhase::Load ? kLoadErrorRuleIndex : kRunErrorRuleIndex;
        results.push_back({rule, "error", report.error->message, file, report.error->line, report.error->column});
    }
    for (const ExternalName& name : report.externalVariables) {
        results.push_back({kExternalVariableRuleIndex, "note", Formatted(kExternalVariableNote, name.name.c_str()),
                           file, name.line, name.column});
    }
    for (const ExternalName& name : report.externalFunctions) {
        results.push_back({kExternalFunctionRuleIndex, "note", Formatted(kExternalFunctionNote, name.name.c_str()),
                           file, name.line, name.column});
    }
}

void SarifLog::AddNotChecked(const std::string& file, const std::string& problem) {
    notifications.push_back({0, "error", Formatted(kNotCheckedNotification, problem.c_str()), file, 0, 0});
}

std::string SarifLog::Text() const {
    JsonWriter json;
    json.BeginObject();
    json.Key("$schema");
    json.String("https://json.schemastore.org/sarif-2.1.0.json");
    json.Key("version");
    json.String("2.1.0");
    json.Key("runs");
    json.BeginArray();
    json.BeginObject();

    json.Key("tool");
    json.BeginObject();
    json.Key("driver");
    json.BeginObject();
    json.Key("name");
    json.String("tarvel-check");
    json.Key("version");
    json.String(TARVEL_VERSION);
    WriteRules(json);
    json.EndObject();
    json.EndObject();

    json.Key("invocations");
    json.BeginArray();
    json.BeginObject();
    json.Key("executionSuccessful");
    json.Bool(notifications.empty());
    json.Key("toolExecutionNotifications");
    json.BeginArray();
    for (const Entry& entry : notifications) {
        json.BeginObject();
        json.Key("level");
        json.String(entry.level);
        WriteMessage(json, entry.message);
        WriteLocations(json, entry.file, 0, 0);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    json.EndArray();

    // Columns are bytes; SARIF has no such unit, so the run claims the one that matches them
    // for ASCII text, which is what scripts are written in.
    json.Key("columnKind");
    json.String("unicodeCodePoints");

    json.Key("results");
    json.BeginArray();
    for (const Entry& entry : results) {
        json.BeginObject();
        json.Key("ruleId");
        json.String(kRules[entry.rule].id);
        json.Key("ruleIndex");
        json.Int(entry.rule);
        json.Key("level");
        json.String(entry.level);
        WriteMessage(json, entry.message);
        WriteLocations(json, entry.file, entry.line, entry.column);
        json.EndObject();
    }
    json.EndArray();

    json.EndObject();
    json.EndArray();
    json.EndObject();
    return json.Text() + '\n';
}
