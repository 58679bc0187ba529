#pragma once

/// The one exception type of the engine, thrown and caught by value.
struct ErrorMsg {
    char component[32];  ///< name of the component that raised the error, NUL-terminated
    char text[1024];     ///< the formatted message, NUL-terminated, cut to fit
};
