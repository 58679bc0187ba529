#include "CTarvelView.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <cstdlib>

#include "CResultDlg.h"
#include "CTarvelDoc.h"
#include "MessageBoxHost.h"
#include "Validation.h"

namespace {

// Names hold only the characters 32 to 127, so Latin-1 reads them exactly.
QStringList NameList(const std::vector<ExternalName>& names) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(names.size()));
    for (const ExternalName& name : names) {
        list.append(QString::fromLatin1(name.name.data(), static_cast<qsizetype>(name.name.size())));
    }
    return list;
}

}  // namespace

CTarvelView::CTarvelView(CTarvelDoc* document, QPrinter* printer, QWidget* parent)
    : QPlainTextEdit(parent), doc(document), printer(printer) {
    // Long lines wrap instead of scrolling sideways.
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Files dropped on the editor open as documents instead of being pasted as text; the
    // main window takes the drop.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
}

CTarvelDoc* CTarvelView::GetDocument() const { return doc; }

QString CTarvelView::EditorText() const {
    // toPlainText would turn non-breaking spaces into spaces, which a Latin-1 file must
    // get back unchanged; the raw text only marks line breaks as paragraph separators.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void CTarvelView::SetEditorText(const QString& text) {
    setPlainText(text);
    document()->setModified(false);
}

void CTarvelView::OnUpdate() {
    if (doc->validateAfterLoad) OnValidate();
}

void CTarvelView::OnValidate() {
    const TextFormat::Encoding encoding = doc->Format().encoding;
    MessageBoxHost host(encoding);
    doc->validateAfterLoad = 0;
    // The engine reads lines ending in CR LF, in the bytes the file holds.
    const QByteArray script = EncodeText(EditorText(), encoding, TextFormat::LineBreak::CrLf);
    const ValidationResult result =
        Validate(std::string_view(script.constData(), static_cast<size_t>(script.size())), {&host});
    if (result.load == LoadOutcome::Declined) std::exit(1);

    CResultDlg dialog(window());
    dialog.SetMessage(DecodeMessage(result.message.c_str(), encoding));
    dialog.SetNames(NameList(result.externalVariables), NameList(result.externalFunctions));
    // Leaving the dialog other than by OK ends the program on the spot: no save question,
    // no orderly shutdown.
    if (dialog.DoModal() != QDialog::Accepted) std::exit(0);
}

void CTarvelView::OnFilePrint() {
    QPrintDialog dialog(printer, window());
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

void CTarvelView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(printer, window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CTarvelView::PrintTo);
    preview.exec();
}

void CTarvelView::PrintTo(QPrinter* target) {
    target->setDocName(doc->GetTitle());
    print(target);
}
