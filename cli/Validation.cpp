#include "cli/Validation.h"

#include <string_view>

#include "cli/CliMessages.h"
#include "containers/NameOrder.h"
#include "diagnostics/ErrorClass.h"
#include "diagnostics/ErrorMsg.h"
#include "reader/ScriptReader.h"

namespace {

/// Answers the load-error question without a user and keeps the error's text for the report.
class CheckHost : public ScriptHost {
public:
    explicit CheckHost(bool answer) : answer(answer) {}

    bool AskYesNo(const char* /*title*/, const char* message) override {
        std::string_view question(message);
        const std::string_view suffix(kContinueQuestion);
        if (question.size() >= suffix.size() && question.substr(question.size() - suffix.size()) == suffix) {
            question.remove_suffix(suffix.size());
        }
        errorText = question;
        return answer;
    }

    bool answer;            ///< what every question gets
    std::string errorText;  ///< the error of the last question, without the question itself
};

}  // namespace

FileReport ValidateText(const char* text, bool continueOnLoadError) {
    FileReport report;
    CheckHost host(continueOnLoadError);
    ScriptReader engine(&host);
    try {
        report.load = engine.LoadInline(text);
        // Without a question asked the engine's last error is the only record of the text.
        if (report.load != LoadOutcome::Loaded) {
            report.loadError = host.errorText.empty() ? LastError().text : host.errorText;
        }
        if (report.load == LoadOutcome::Declined) return report;
        report.result = engine.Run();
        report.ok = true;
        report.message = kValidationSuccessful;
    } catch (const ErrorMsg& error) {
        report.hasError = true;
        report.errorComponent = error.component;
        report.errorText = error.text;
        report.message = report.errorComponent + kComponentSeparator + report.errorText;
        report.result = Value();
    }
    report.externalVariables = SortedNames(engine.externalVariables);
    report.externalFunctions = SortedNames(engine.externalFunctions);
    return report;
}
