#include "Declarations.h"

#include <algorithm>

#include "reader/ScriptReader.h"

namespace {

/// Where a name stands and what it declares; positions are kept for the ordering only.
struct Placed {
    int position = 0;
    size_t index = 0;
};

DeclaredVariable DescribeVariable(const ScriptReader& engine, const Variable& variable, const char* name, int length) {
    DeclaredVariable declared;
    declared.name.assign(name, static_cast<size_t>(length));
    declared.type = variable.value.type;
    declared.arraySize = std::max(variable.arraySize, 0);  // scalars are filed with -1 or 0
    engine.LocateAsWritten(std::max(variable.declaredAt, 0), declared.line, declared.column);
    return declared;
}

/// Reorders items by the positions recorded beside them.
template <typename T>
std::vector<T> InDeclarationOrder(std::vector<T> items, std::vector<Placed> places) {
    std::stable_sort(places.begin(), places.end(),
                     [](const Placed& a, const Placed& b) { return a.position < b.position; });
    std::vector<T> ordered;
    ordered.reserve(items.size());
    for (const Placed& place : places) ordered.push_back(std::move(items[place.index]));
    return ordered;
}

}  // namespace

Declarations CollectDeclarations(ScriptReader& engine) {
    Declarations declarations;
    // Every declaration is located, in no order of places: the table pays for itself.
    engine.EnsureLineTable();

    std::vector<DeclaredFunction> functions;
    std::vector<Placed> functionPlaces;
    engine.functions.ResetWalk();
    while (const auto* entry = engine.functions.NextEntry()) {
        const FunctionRecord& record = entry->item;
        DeclaredFunction declared;
        declared.name.assign(record.name.CStr(), static_cast<size_t>(record.name.length));
        declared.returnType = record.returnType;
        for (int k = 0; k < record.params.GetCount(); ++k) {
            const Variable& parameter = *record.params.Get(k);
            declared.parameters.push_back(
                DescribeVariable(engine, parameter, parameter.name.CStr(), parameter.name.length));
        }
        engine.LocateAsWritten(record.nameStart, declared.line, declared.column);
        engine.LocateAsWritten(record.bodyEnd, declared.endLine, declared.endColumn);
        functionPlaces.push_back({record.nameStart, functions.size()});
        functions.push_back(std::move(declared));
    }
    declarations.functions = InDeclarationOrder(std::move(functions), std::move(functionPlaces));

    std::vector<DeclaredVariable> globals;
    std::vector<Placed> globalPlaces;
    engine.globals.ResetWalk();
    while (const auto* entry = engine.globals.NextEntry()) {
        globalPlaces.push_back({entry->item.declaredAt, globals.size()});
        globals.push_back(DescribeVariable(engine, entry->item, entry->key.CStr(), entry->key.length));
    }
    declarations.globalVariables = InDeclarationOrder(std::move(globals), std::move(globalPlaces));
    return declarations;
}
