#include "Document.h"

#include <algorithm>

Document::Document(std::string initial, int version)
    : text(std::make_shared<const std::string>(std::move(initial))), lines(*text), version(version) {}

void Document::ApplyChange(const std::optional<Range>& range, std::string_view newText) {
    std::string next;
    if (!range) {
        next.assign(newText);
    } else {
        std::size_t from = lines.ToOffset(range->start);
        std::size_t to = lines.ToOffset(range->end);
        // A reversed range is read as the stretch between its two ends.
        if (to < from) std::swap(from, to);
        next.reserve(text->size() - (to - from) + newText.size());
        next.append(*text, 0, from);
        next.append(newText);
        next.append(*text, to, std::string::npos);
    }
    // A new string rather than an edit in place: a running validation may still hold the old one.
    text = std::make_shared<const std::string>(std::move(next));
    lines = LineIndex(*text);
}
