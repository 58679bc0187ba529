#include "CTarvelDoc.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "CTarvelView.h"
#include "SaveBytes.h"

namespace {

QString AppTitle() { return QObject::tr("Tarvel"); }

}  // namespace

CTarvelDoc::CTarvelDoc(QObject* parent) : QObject(parent) {}

QString CTarvelDoc::FileFilter() { return tr("C script files (*.c);;All Files (*)"); }

void CTarvelDoc::SetView(CTarvelView* newView) { view = newView; }

bool CTarvelDoc::OnNewDocument() {
    format = TextFormat{};
    view->SetEditorText(QString());
    SetPathName(QString());
    return true;
}

bool CTarvelDoc::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(view->window(), AppTitle(),
                             tr("Cannot read file %1:\n%2.").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    const QByteArray bytes = file.readAll();
    // Bytes that are the engine's text already go to the engine before they are decoded.
    const bool started = IsEngineText(bytes);
    if (started) view->StartFileValidation(bytes);
    const DecodedText decoded = DecodeText(bytes);
    format = decoded.format;
    if (!started && HoldsAsDecoded(decoded.text)) {
        view->StartFileValidation(EncodeText(decoded.text, format.encoding, TextFormat::LineBreak::CrLf));
    }
    view->LoadFileText(decoded.text);
    validateAfterLoad = 1;
    SetPathName(path);
    emit PathNameChanged(pathName);
    return true;
}

bool CTarvelDoc::OnSaveDocument(const QString& path) {
    const QString text = view->EditorText();
    if (!EnsureEncodable(text)) return false;
    const QString failure = SaveBytes(path, EncodeText(text, format.encoding, format.lineBreak));
    if (!failure.isEmpty()) {
        QMessageBox::warning(view->window(), AppTitle(),
                             tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(path), failure));
        return false;
    }
    view->document()->setModified(false);
    return true;
}

void CTarvelDoc::RestoreRecovered(const QString& path, const QString& text) {
    format = TextFormat{};
    // The file's own format still decides how the text is saved, when the file is there.
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) format = DecodeText(file.readAll()).format;
    view->SetEditorText(text);
    SetPathName(path);
    // Nothing is written back until the user saves.
    view->document()->setModified(true);
}

void CTarvelDoc::UpdateAllViews() { view->OnUpdate(); }

bool CTarvelDoc::SaveModified() {
    if (!IsModified()) return true;
    const QString name = pathName.isEmpty() ? GetTitle() : QDir::toNativeSeparators(pathName);
    const auto answer = QMessageBox::warning(view->window(), AppTitle(), tr("Save changes to %1?").arg(name),
                                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return OnFileSave();
}

bool CTarvelDoc::OnFileSave() { return DoSave(pathName); }

bool CTarvelDoc::OnFileSaveAs() { return DoSave(QString()); }

bool CTarvelDoc::DoSave(const QString& path) {
    QString target = path;
    if (target.isEmpty()) {
        QFileDialog dialog(view->window(), QString(), pathName.isEmpty() ? GetTitle() : pathName, FileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("c"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        target = dialog.selectedFiles().constFirst();
    }
    if (!OnSaveDocument(target)) return false;
    if (QFileInfo(target).absoluteFilePath() != pathName) SetPathName(target);
    emit PathNameChanged(pathName);
    return true;
}

bool CTarvelDoc::IsModified() const { return view->document()->isModified(); }

QString CTarvelDoc::GetPathName() const { return pathName; }

QString CTarvelDoc::GetTitle() const { return pathName.isEmpty() ? tr("Untitled") : QFileInfo(pathName).fileName(); }

const TextFormat& CTarvelDoc::Format() const { return format; }

void CTarvelDoc::SetPathName(const QString& path) {
    pathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    emit TitleChanged(GetTitle());
}

bool CTarvelDoc::EnsureEncodable(const QString& text) {
    if (CanEncode(text, format.encoding)) return true;
    const auto answer =
        QMessageBox::question(view->window(), AppTitle(),
                              tr("This file is stored as Latin-1, which cannot hold some of the characters in it.\n"
                                 "Save it as UTF-8 instead?"));
    if (answer != QMessageBox::Yes) return false;
    format.encoding = TextFormat::Encoding::Utf8;
    return true;
}
