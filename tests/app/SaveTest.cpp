#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "AppTestSupport.h"
#include "SaveBytes.h"

namespace {

struct stat Stat(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

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
        QCOMPARE(FileBytes(path), "new");
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
        QCOMPARE(FileBytes(link), "int x;\r\n");
        QCOMPARE(Stat(path).st_ino, inode);
        QCOMPARE(SaveBytes(path, "y"), QString());  // shorter: the rest is cut off
        QCOMPARE(FileBytes(link), "y");
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
        QVERIFY(WriteFile(path, "old text"));
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
        QCOMPARE(FileBytes(path), "old text");
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
        QCOMPARE(FileBytes(target), "abc");
    }
};

QTEST_GUILESS_MAIN(SaveTest)

#include "SaveTest.moc"
