#include "RecoveryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

// The first line tells a recovery copy from any other file that happens to sit there.
const QByteArray kHeader = QByteArrayLiteral("Tarvel recovery 1\n");

}  // namespace

QString RecoveryStore::FilePath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery.c"));
}

bool RecoveryStore::Write(const Copy& copy) { return Write(FilePath(), copy.path, copy.text.toUtf8()); }

bool RecoveryStore::Write(const QString& fileName, const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(fileName).path());
    // Written aside and renamed into place, so that a crash halfway leaves the last copy whole.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // The path goes percent-encoded on a line of its own; the text follows unchanged.
    const QByteArray head = kHeader + QUrl::toPercentEncoding(path) + '\n';
    return file.write(head) == head.size() && file.write(text) == text.size() && file.commit();
}

std::optional<RecoveryStore::Copy> RecoveryStore::Read() {
    QFile file(FilePath());
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith(kHeader)) return std::nullopt;
    const qsizetype pathEnd = bytes.indexOf('\n', kHeader.size());
    if (pathEnd < 0) return std::nullopt;
    Copy copy;
    copy.path = QUrl::fromPercentEncoding(bytes.mid(kHeader.size(), pathEnd - kHeader.size()));
    copy.text = QString::fromUtf8(bytes.mid(pathEnd + 1));
    return copy;
}

void RecoveryStore::Remove() { QFile::remove(FilePath()); }
