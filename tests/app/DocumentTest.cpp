#include <QFile>
#include <QMessageBox>
#include <QtTest>

#include "AppTestSupport.h"
#include "DocumentText.h"
#include "CTarvelDoc.h"
#include "CTarvelView.h"

class DocumentTest : public QObject {
    Q_OBJECT

    CTarvelDoc* document = nullptr;
    CTarvelView* view = nullptr;
    QTemporaryDir dir;

private slots:
    void initTestCase() {
        document = App()->MainFrame()->Document();
        view = App()->MainFrame()->View();
    }

    void saveWritesTheEditedBytes_data() {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBFx;\r\n") << "" << QByteArray("\xEF\xBB\xBFx;\r\n");
        QTest::newRow("Latin-1 with no-break space")
            << QByteArray("s = \"\xE9\xA0\xFF\";\r\n") << "" << QByteArray("s = \"\xE9\xA0\xFF\";\r\n");
        QTest::newRow("LF edited") << QByteArray("a;\nb;\n") << "\nc;" << QByteArray("a;\nb;\n\nc;");
        QTest::newRow("CR edited") << QByteArray("a;\rb;") << "\nc;" << QByteArray("a;\rb;\rc;");
        QTest::newRow("Latin-1 edited") << QByteArray("\xE9;\r\n") << "\u00E9" << QByteArray("\xE9;\r\n\xE9");
        QTest::newRow("UTF-8 edited") << QByteArray("\xC3\xA9;\r\n") << "\u00E9\n"
                                      << QByteArray("\xC3\xA9;\r\n\xC3\xA9\r\n");
    }
    void saveWritesTheEditedBytes() {
        QFETCH(QByteArray, original);
        QFETCH(QString, typed);
        const QString path = dir.filePath("script.c");
        QVERIFY(WriteFile(path, original));
        QVERIFY(document->OnOpenDocument(path));
        document->validateAfterLoad = 0;
        view->moveCursor(QTextCursor::End);
        view->insertPlainText(typed);
        QVERIFY(document->OnFileSave());
        QTEST(FileBytes(path), "saved");
        QVERIFY(!document->IsModified());
    }

    // Each file's encoding and breaks are saveWritesTheEditedBytes'; here the widening at the
    // edges of the text and around multibyte characters, and the room the bytes keep.
    void encodingWidensEveryBreak_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("no break") << "x;" << QByteArray("x;");
        QTest::newRow("breaks at both ends and in a row") << "\nx;\n\n" << QByteArray("\r\nx;\r\n\r\n");
        QTest::newRow("characters of three bytes around breaks")
            << "\u20AC\n\u20AC" << QByteArray("\xE2\x82\xAC\r\n\xE2\x82\xAC");
    }
    void encodingWidensEveryBreak() {
        QFETCH(QString, text);
        const QByteArray bytes = EncodeText(text, TextFormat::Encoding::Utf8, TextFormat::LineBreak::CrLf);
        QTEST(bytes, "bytes");
        // The bytes may be held for a while; room for three bytes a character is not.
        QVERIFY(bytes.capacity() <= bytes.size() + 16);
    }

    void newDocumentsUseCrLf() {
        QVERIFY(document->OnNewDocument());
        view->insertPlainText("int x;\nx = 1;");
        const QString path = dir.filePath("new.c");
        QVERIFY(document->OnSaveDocument(path));
        QCOMPARE(FileBytes(path), QByteArray("int x;\r\nx = 1;"));
    }

    void failedSaveKeepsTheOldFile() {
        const QString path = dir.filePath("kept.c");
        QVERIFY(WriteFile(path, "old;\r\n"));
        QVERIFY(document->OnOpenDocument(path));
        document->validateAfterLoad = 0;
        view->insertPlainText(QString(200, u'x'));
        QString warning;
        ModalCloser closer([&warning](QWidget* modal) {
            warning = static_cast<QMessageBox*>(modal)->text();
            QTest::keyClick(modal, Qt::Key_Return);
        });
        {
            FileSizeLimit limit(100);
            QVERIFY(!document->OnFileSave());
        }
        QVERIFY2(warning.startsWith("Cannot write file " + QDir::toNativeSeparators(path)), qPrintable(warning));
        QCOMPARE(FileBytes(path), QByteArray("old;\r\n"));
        QVERIFY(document->IsModified());
    }
};

int main(int argc, char** argv) { return RunAppTest<DocumentTest>(argc, argv); }

#include "DocumentTest.moc"
