#pragma once
#include <QObject>
#include <QStringList>

/// The files opened or saved last, newest first, kept in the user's settings.
class RecentFileList : public QObject {
    Q_OBJECT

public:
    /// How many files the File menu lists.
    static constexpr int kSize = 4;

    /// An empty list; ReadList fills it.
    explicit RecentFileList(QObject* parent);

    /// Loads the list from the settings.
    void ReadList();
    /// Puts path first, dropping an older mention and the oldest entry beyond kSize.
    void Add(const QString& path);
    /// Drops path, as when it can no longer be opened.
    void Remove(const QString& path);
    /// The absolute paths, newest first.
    const QStringList& Files() const;

signals:
    /// The list changed; files is the new list.
    void Changed(const QStringList& files);

private:
    /// Stores the list at once, so that a process ended from the result dialog keeps it.
    void WriteList();

    QStringList files;
};
