#include "MessageBoxHost.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include "reader/ReaderMessages.h"

using namespace ReaderMessages;

MessageBoxHost::MessageBoxHost(std::function<TextFormat::Encoding()> encoding) : encoding(std::move(encoding)) {}

bool MessageBoxHost::AskToContinue(const Diagnostic& loadError) {
    // The engine runs on a worker thread; a message box belongs on the user-interface thread,
    // which keeps its event loop running while it waits for the run.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        bool answer = false;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [&] { answer = AskToContinue(loadError); }, Qt::BlockingQueuedConnection);
        return answer;
    }
    const std::string question = loadError.text + kContinueQuestion;
    const TextFormat::Encoding scriptEncoding = encoding();
    QMessageBox box(QMessageBox::NoIcon, DecodeMessage(kScriptErrorTitle, scriptEncoding),
                    DecodeMessage(question.c_str(), scriptEncoding), QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
