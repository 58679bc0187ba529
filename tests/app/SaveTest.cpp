#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "SaveBytes.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

struct stat Stat(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

// Files may grow no larger than limit while it lives; growing further fails with EFBIG
// instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved;
        lowered.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }

private:
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

}  // namespace

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    void aFullDeviceSaysSo() { QCOMPARE(SaveBytes("/dev/full", "x = 1;\r\n"), "No space left on device"); }

    void theModeStays() {
        QTemporaryDir dir;
        const QString path = dir.filePath("script.c");
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0640) == 0);
        QCOMPARE(SaveBytes(path, "new"), QString());
        QCOMPARE(Stat(path).st_mode & 07777, 0640u);
        QCOMPARE(Contents(path), "new");
    }

    // Every name of the file sees the new text: the file is written where it is.
    void hardLinksStayOneFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("script.c");
        const QString link = dir.filePath("link.c");
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()) == 0);
        const ino_t inode = Stat(path).st_ino;
        QCOMPARE(SaveBytes(path, "int x;\r\n"), QString());
        QCOMPARE(Contents(link), "int x;\r\n");
        QCOMPARE(Stat(path).st_ino, inode);
        QCOMPARE(SaveBytes(path, "y"), QString());  // shorter: the rest is cut off
        QCOMPARE(Contents(link), "y");
    }

    // A save that cannot finish leaves the old text, whichever way it writes.
    void aFailedSaveKeepsTheOldFile_data() {
        QTest::addColumn<bool>("linked");
        QTest::newRow("replaced through a new file") << false;
        QTest::newRow("written in place") << true;
    }
    void aFailedSaveKeepsTheOldFile() {
        QFETCH(bool, linked);
        QTemporaryDir dir;
        const QString path = dir.filePath("script.c");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old text") == 8);
        old.close();
        if (linked) {
            QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(dir.filePath("l.c")).constData()) ==
                    0);
        }
        QString failure;
        {
            FileSizeLimit limit(64);
            failure = SaveBytes(path, QByteArray(4096, 'x'));
        }
        QCOMPARE(failure, "File too large");
        QCOMPARE(Contents(path), "old text");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), linked ? 2 : 1);
    }

    void aSymbolicLinkStaysALink() {
        QTemporaryDir dir;
        const QString target = dir.filePath("target.c");
        const QString link = dir.filePath("link.c");
        QVERIFY(QFile(target).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(target, link));
        QCOMPARE(SaveBytes(link, "abc"), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(Contents(target), "abc");
    }
};

QTEST_GUILESS_MAIN(SaveTest)

#include "SaveTest.moc"
