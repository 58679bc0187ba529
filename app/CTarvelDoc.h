#pragma once
#include <QObject>
#include <QString>

#include "DocumentText.h"

class CTarvelView;

/// The open script file: its name, the format its bytes came in and whether opening it
/// asks for a validation. The text itself lives in the view.
class CTarvelDoc : public QObject {
    Q_OBJECT

public:
    /// An untitled document; SetView attaches the view that holds its text.
    explicit CTarvelDoc(QObject* parent);

    /// The filter of the open and save dialogs.
    static QString FileFilter();
    /// Attaches the one view.
    void SetView(CTarvelView* view);

    /// Starts an empty, untitled document with the scripts' own CR LF line breaks.
    bool OnNewDocument();
    /// Reads the file into the view and asks for a validation; false with a message on failure.
    bool OnOpenDocument(const QString& path);
    /// Writes the text in the document's format, keeping the file's identity; false on failure.
    bool OnSaveDocument(const QString& path);
    /// Puts recovered text in place as unsaved changes to the file at path (empty: untitled).
    void RestoreRecovered(const QString& path, const QString& text);
    /// Tells the view that a new or opened document is in place.
    void UpdateAllViews();

    /// Asks whether to save unsaved changes; false when the user cancels or saving fails.
    bool SaveModified();
    /// File Save: to the document's file, or as a new file when it has none.
    bool OnFileSave();
    /// File Save As: asks for a name, then saves.
    bool OnFileSaveAs();

    /// True when the text differs from the file.
    bool IsModified() const;
    /// The file's path, empty while untitled.
    QString GetPathName() const;
    /// The name shown in the title bar: the file name, or "Untitled".
    QString GetTitle() const;
    /// The encoding and line break of the file.
    const TextFormat& Format() const;

    int validateAfterLoad = 0;  ///< 1 after a file was read, until the view validated it

signals:
    /// The document now belongs to path, which goes on the recent-file list.
    void PathNameChanged(const QString& path);
    /// The title bar text changed.
    void TitleChanged(const QString& title);

private:
    /// Saves to path, or asks for one when it is empty.
    bool DoSave(const QString& path);
    /// Takes on a new file name and announces it.
    void SetPathName(const QString& path);
    /// Latin-1 cannot hold every character a user may type; asks to switch to UTF-8.
    bool EnsureEncodable(const QString& text);

    CTarvelView* view = nullptr;
    QString pathName;
    TextFormat format;
};
