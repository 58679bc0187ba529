#pragma once
// One open document: its text as the client last sent it, and the line index over that text.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "TextPositions.h"

class Document {
public:
    Document(std::string text, int version);

    /// The text; shared so that a validation can keep reading it while edits go on.
    const std::shared_ptr<const std::string>& Text() const { return text; }
    /// Lines of the current text.
    const LineIndex& Lines() const { return lines; }
    /// The version the client gave with the last change.
    int Version() const { return version; }

    /// Replaces the range (the whole text when there is none) by newText.
    void ApplyChange(const std::optional<Range>& range, std::string_view newText);
    /// Records the version the client gave to the changes just applied.
    void SetVersion(int newVersion) { version = newVersion; }

private:
    std::shared_ptr<const std::string> text;
    LineIndex lines;
    int version = 0;
};
