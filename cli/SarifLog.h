#pragma once
#include <string>
#include <vector>

#include "Validation.h"

/// One SARIF 2.1.0 log for all files of a run of tarvel-check, for CI dashboards and code
/// review tools: one error result per failing file, a warning for a load error answered Yes,
/// a note for each external name at its first use. Files are added in command-line order.
class SarifLog {
public:
    /// Adds the results of one validated file.
    void Add(const std::string& file, const ValidationResult& report);
    /// Adds a file that could not be read or checked; the run then counts as not successful.
    void AddNotChecked(const std::string& file, const std::string& problem);
    /// The whole log as one JSON text, newline included.
    std::string Text() const;

private:
    /// A result or a notification, before it is written.
    struct Entry {
        int rule = 0;  ///< index into the rule table; unused by notifications
        const char* level = "error";
        std::string message;
        std::string file;  ///< as given on the command line
        int line = 0;      ///< 0 when the entry has no region
        int column = 0;
    };

    std::vector<Entry> results;        ///< in file order
    std::vector<Entry> notifications;  ///< files that could not be read or checked
};

/// The URI reference of a file named on the command line: the path as given, relative when it
/// was, with every byte outside the unreserved characters and "/" percent-encoded.
std::string FileUri(const std::string& file);
