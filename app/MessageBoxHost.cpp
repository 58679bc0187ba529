#include "MessageBoxHost.h"

#include <QMessageBox>

MessageBoxHost::MessageBoxHost(TextFormat::Encoding encoding) : encoding(encoding) {}

bool MessageBoxHost::AskYesNo(const char* title, const char* message) {
    QMessageBox box(QMessageBox::NoIcon, DecodeMessage(title, encoding), DecodeMessage(message, encoding),
                    QMessageBox::Yes | QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
