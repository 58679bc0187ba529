#include "Validation.h"

#include <algorithm>
#include <numeric>

#include "containers/NameOrder.h"
#include "reader/ReaderMessages.h"
#include "reader/ScriptReader.h"

using namespace ReaderMessages;

namespace {

/// Keeps the load error for the result and passes the question on to the caller's host.
class RecordingHost : public ScriptHost {
public:
    explicit RecordingHost(ScriptHost* host) : host(host) {}

    bool AskToContinue(const Diagnostic& loadError) override {
        asked = loadError;
        return host != nullptr && host->AskToContinue(loadError);
    }

    ScriptHost* host;
    std::optional<Diagnostic> asked;
};

std::vector<ExternalName> Located(const ScriptReader& engine, ExternalNameSet& names) {
    const auto entries = SortedEntries(names);
    std::vector<ExternalName> located;
    located.reserve(entries.size());
    for (const auto* entry : entries) {
        located.push_back({std::string(entry->key.CStr(), static_cast<size_t>(entry->key.length))});
    }
    // Located in the order of their places, so that a text without line table is walked once.
    std::vector<size_t> byPlace(entries.size());
    std::iota(byPlace.begin(), byPlace.end(), size_t{0});
    std::stable_sort(byPlace.begin(), byPlace.end(),
                     [&](size_t a, size_t b) { return entries[a]->item.position < entries[b]->item.position; });
    for (const size_t k : byPlace) {
        engine.LocateAsWritten(entries[k]->item.position, located[k].line, located[k].column);
    }
    return located;
}

/// The validation behind both entries; `load` loads the text into the engine.
template <typename Load>
ValidationResult ValidateLoaded(const ValidationOptions& options, Load load) {
    ValidationResult result;
    RecordingHost host(options.host);
    ScriptReader engine(&host);
    engine.random = options.random;
    engine.budget.Start({options.cancel, options.timeLimitSeconds, options.memoryLimitBytes});
    ErrorPhase phase = ErrorPhase::Load;
    try {
        result.load = load(engine);
        result.loadError = host.asked;
        // The editor ends the program here; there is no dialog and so no message.
        if (result.load == LoadOutcome::Declined) return result;
        phase = ErrorPhase::Run;
        result.result = engine.Run();
        result.ok = true;
        result.message = kValidationSuccessful;
    } catch (const ErrorMsg& error) {
        result.error = engine.Locate(error, phase);
        result.message = result.error->component + kComponentSeparator + result.error->text;
        result.result = Value();
        result.stop = engine.budget.stop;
    }
    result.randomDraws = engine.randomDraws;
    result.externalVariables = Located(engine, engine.externalVariables);
    result.externalFunctions = Located(engine, engine.externalFunctions);
    if (options.collectDeclarations) result.declarations = CollectDeclarations(engine);
    return result;
}

}  // namespace

ValidationResult Validate(std::string_view text, const ValidationOptions& options) {
    return ValidateLoaded(options, [text](ScriptReader& engine) { return engine.LoadInline(text); });
}

ValidationResult Validate(std::string&& text, const ValidationOptions& options) {
    return ValidateLoaded(options, [&text](ScriptReader& engine) { return engine.LoadInline(std::move(text)); });
}

ValidationResult Validate(const char* text, const ValidationOptions& options) {
    return Validate(std::string_view(text), options);
}
