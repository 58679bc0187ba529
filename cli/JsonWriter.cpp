#include "cli/JsonWriter.h"

#include <cmath>
#include <cstdio>

void JsonWriter::BeginValue() {
    if (afterKey) {
        afterKey = false;
        return;
    }
    if (!firstInLevel.empty()) {
        if (!firstInLevel.back()) out += ", ";
        firstInLevel.back() = false;
    }
}

void JsonWriter::BeginObject() {
    BeginValue();
    out += '{';
    firstInLevel.push_back(true);
}

void JsonWriter::EndObject() {
    firstInLevel.pop_back();
    out += '}';
}

void JsonWriter::BeginArray() {
    BeginValue();
    out += '[';
    firstInLevel.push_back(true);
}

void JsonWriter::EndArray() {
    firstInLevel.pop_back();
    out += ']';
}

void JsonWriter::Key(std::string_view name) {
    BeginValue();
    Quote(name);
    out += ": ";
    afterKey = true;
}

void JsonWriter::String(std::string_view bytes) {
    BeginValue();
    Quote(bytes);
}

void JsonWriter::Int(std::int64_t value) {
    BeginValue();
    out += std::to_string(value);
}

void JsonWriter::Float(double value) {
    // JSON has no infinities or NaN, so those travel as the words a C programmer would print.
    if (std::isnan(value)) return String("nan");
    if (std::isinf(value)) return String(value < 0 ? "-inf" : "inf");
    BeginValue();
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    out += digits;
}

void JsonWriter::Bool(bool value) {
    BeginValue();
    out += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeginValue();
    out += "null";
}

void JsonWriter::Quote(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            // Scripts carry no encoding; one code point per byte keeps every byte recoverable.
            out += "\\u00";
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0f];
        } else {
            out += c;
        }
    }
    out += '"';
}
