#include "RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString KeyOf(int slot) { return kSection + QStringLiteral("/File%1").arg(slot + 1); }

QString Absolute(const QString& path) { return QFileInfo(path).absoluteFilePath(); }

}  // namespace

RecentFileList::RecentFileList(QObject* parent) : QObject(parent) {}

void RecentFileList::ReadList() {
    QSettings settings;
    files.clear();
    for (int slot = 0; slot < kSize; ++slot) {
        const QString path = settings.value(KeyOf(slot)).toString();
        if (!path.isEmpty()) files.append(path);
    }
    emit Changed(files);
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = Absolute(path);
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kSize) files.removeLast();
    WriteList();
    emit Changed(files);
}

void RecentFileList::Remove(const QString& path) {
    if (files.removeAll(Absolute(path)) == 0) return;
    WriteList();
    emit Changed(files);
}

const QStringList& RecentFileList::Files() const { return files; }

void RecentFileList::WriteList() {
    QSettings settings;
    for (int slot = 0; slot < kSize; ++slot) {
        if (slot < files.size()) {
            settings.setValue(KeyOf(slot), files[slot]);
        } else {
            settings.remove(KeyOf(slot));
        }
    }
}
