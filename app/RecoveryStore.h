#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

/// The recovery copy: the unsaved text of the last session and the file it belongs to,
/// kept under the user's data folder so that no exit or crash loses an edit.
class RecoveryStore {
public:
    /// What a recovery copy holds.
    struct Copy {
        QString path;  ///< the file the text belongs to; empty when it was untitled
        QString text;  ///< the text with '\n' line breaks
    };

    /// The file the copy lives in.
    static QString FilePath();
    /// Replaces the copy; false when it could not be written.
    static bool Write(const Copy& copy);
    /// Replaces the copy in file (FilePath()) with path and text, the text in UTF-8 with '\n'
    /// line breaks; false when it could not be written. Safe on any thread.
    static bool Write(const QString& file, const QString& path, const QByteArray& text);
    /// The copy left behind, if any.
    static std::optional<Copy> Read();
    /// Drops the copy once the text is safe elsewhere.
    static void Remove();
};
