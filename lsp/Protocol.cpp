#include "Protocol.h"

#include <limits>

namespace {

[[noreturn]] void Invalid(const char* name, const char* expected) {
    throw ProtocolError{ErrorCode::InvalidParams, std::string("'") + name + "' must be " + expected};
}

const Json& Member(const Json& object, const char* name, const char* expected) {
    if (!object.is_object()) Invalid(name, expected);
    const auto it = object.find(name);
    if (it == object.end()) Invalid(name, expected);
    return *it;
}

}  // namespace

const std::string& StringField(const Json& object, const char* name) {
    const Json& value = Member(object, name, "a string");
    if (!value.is_string()) Invalid(name, "a string");
    return value.get_ref<const std::string&>();
}

int IntField(const Json& object, const char* name) {
    const Json& value = Member(object, name, "an integer");
    // Checked before converting: a float or a huge number has no int value to take.
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) Invalid(name, "an integer in range");
        return static_cast<int>(number);
    }
    if (!value.is_number_integer()) Invalid(name, "an integer");
    const auto number = value.get<std::int64_t>();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) {
        Invalid(name, "an integer in range");
    }
    return static_cast<int>(number);
}

const Json& ObjectField(const Json& object, const char* name) {
    const Json& value = Member(object, name, "an object");
    if (!value.is_object()) Invalid(name, "an object");
    return value;
}

Position ReadPosition(const Json& position) { return {IntField(position, "line"), IntField(position, "character")}; }

Range ReadRange(const Json& range) {
    return {ReadPosition(ObjectField(range, "start")), ReadPosition(ObjectField(range, "end"))};
}

Json WritePosition(Position position) { return {{"line", position.line}, {"character", position.character}}; }

Json WriteRange(const Range& range) {
    return {{"start", WritePosition(range.start)}, {"end", WritePosition(range.end)}};
}
