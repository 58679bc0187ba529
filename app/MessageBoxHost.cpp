#include "MessageBoxHost.h"

#include <QMessageBox>

#include "reader/ReaderMessages.h"

using namespace ReaderMessages;

MessageBoxHost::MessageBoxHost(TextFormat::Encoding encoding) : encoding(encoding) {}

bool MessageBoxHost::AskToContinue(const Diagnostic& loadError) {
    const std::string question = loadError.text + kContinueQuestion;
    QMessageBox box(QMessageBox::NoIcon, DecodeMessage(kScriptErrorTitle, encoding),
                    DecodeMessage(question.c_str(), encoding), QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
