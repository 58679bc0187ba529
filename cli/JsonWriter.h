#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Builds one line of JSON. Strings are byte strings: a control byte or a byte 0x80-0xFF
/// becomes \u00XX, one code point per byte, so a reader can recover the bytes exactly.
class JsonWriter {
public:
    /// Opens an object.
    void BeginObject();
    /// Closes the innermost object.
    void EndObject();
    /// Opens an array.
    void BeginArray();
    /// Closes the innermost array.
    void EndArray();
    /// Writes the key of the next member of the current object.
    void Key(std::string_view name);
    /// Writes a string value.
    void String(std::string_view bytes);
    /// Writes an integer value.
    void Int(std::int64_t value);
    /// Writes a number with 17 significant digits; infinities and NaN as "inf", "-inf", "nan".
    void Float(double value);
    /// Writes true or false.
    void Bool(bool value);
    /// Writes null.
    void Null();
    /// The text written so far.
    const std::string& Text() const { return out; }

private:
    /// Writes the separator a value needs in its place: none after a key or first in a list.
    void BeginValue();
    /// Appends the quoted, escaped bytes.
    void Quote(std::string_view bytes);

    std::string out;                 ///< the JSON text
    std::vector<bool> firstInLevel;  ///< per open object or array: nothing written in it yet
    bool afterKey = false;           ///< the next value completes a member
};
