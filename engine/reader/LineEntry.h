#pragma once

/// One line of the loaded text: where it starts and which line of which file it is.
struct LineEntry {
    int start = 0;   ///< index in sourceText of the line's first byte
    int line = 0;    ///< 0-based line number in its file, fixed when the table is built
    int fileId = 0;  ///< slot of the file's name in fileNames
};
