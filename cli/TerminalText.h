#pragma once
#include <string>
#include <string_view>

/// Whether a line break stays a line break in TerminalSafe's output.
enum class LineBreakUse {
    Keep,    ///< LF is written as is: the text spans lines
    Escape,  ///< LF is written as \n: the text must stay on one line
};

/// The bytes with every control character a terminal would act on (C0, DEL, and C1 whether
/// written as UTF-8 or as a stray byte) written as a visible escape: \n, \r, or \xHH. Tabs and
/// printable text, UTF-8 included, stay as they are; backslashes are not doubled, since the
/// text is for reading, not for parsing back.
std::string TerminalSafe(std::string_view bytes, LineBreakUse lineBreaks);
