#include "DocumentText.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <string>
#include <string_view>

#include "reader/LineBreaks.h"

namespace {

// The first break decides the style; a file that mixes styles is written back in that one.
TextFormat::LineBreak DetectLineBreak(const QByteArray& bytes) {
    for (qsizetype k = 0; k < bytes.size(); ++k) {
        if (bytes[k] == '\n') return TextFormat::LineBreak::Lf;
        if (bytes[k] == '\r') {
            return k + 1 < bytes.size() && bytes[k + 1] == '\n' ? TextFormat::LineBreak::CrLf
                                                                : TextFormat::LineBreak::Cr;
        }
    }
    return TextFormat::LineBreak::CrLf;
}

// Every '\n' becomes CR LF, in place from the end. Neither encoding has a '\n' byte inside
// a longer character, so every '\n' byte is a line break.
void WidenLineBreaks(QByteArray& bytes) {
    const qsizetype breaks = bytes.count('\n');
    if (breaks == 0) return;
    qsizetype from = bytes.size();
    qsizetype to = from + breaks;
    bytes.resize(to);
    char* data = bytes.data();
    while (from > 0) {
        const char c = data[--from];
        data[--to] = c;
        if (c == '\n') data[--to] = '\r';
    }
}

// The text view starts a new line at the paragraph separator and at the two characters that
// mark the edges of a frame, so the editor's text has a line break where the file has one of
// them. Here in UTF-8.
constexpr std::string_view kLineBreaking[] = {"\xe2\x80\xa9", "\xef\xb7\x90", "\xef\xb7\x91"};

}  // namespace

DecodedText DecodeText(const QByteArray& bytes) {
    DecodedText decoded;
    decoded.format.lineBreak = DetectLineBreak(bytes);
    // Script lines end with CR, optionally followed by LF; a lone LF counts too, as other
    // editors write it. The editor holds every break as '\n'.
    const std::string unified =
        UnifyLineBreaks(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), "\n");
    const QByteArray unifiedBytes = QByteArray::fromRawData(unified.data(), static_cast<qsizetype>(unified.size()));
    // A byte order mark is kept as a character so that saving writes it back.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    decoded.text = utf8.decode(unifiedBytes);
    if (utf8.hasError()) {
        decoded.text = QString::fromLatin1(unifiedBytes);
        decoded.format.encoding = TextFormat::Encoding::Latin1;
    }
    return decoded;
}

bool IsEngineText(const QByteArray& fileBytes) {
    // Decoding changes nothing but the line breaks: valid UTF-8 is read as it is and Latin-1
    // maps byte for byte, both ways. The characters that break lines are looked for in their
    // UTF-8 form whatever the encoding; a Latin-1 file with those bytes only takes the long way.
    const std::string_view bytes(fileBytes.constData(), static_cast<size_t>(fileBytes.size()));
    // Every LF follows a CR and there are as many CRs as LFs: every break is CR LF.
    size_t feeds = 0;
    for (size_t at = bytes.find('\n'); at != std::string_view::npos; at = bytes.find('\n', at + 1)) {
        if (at == 0 || bytes[at - 1] != '\r') return false;
        ++feeds;
    }
    if (static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r')) != feeds) return false;
    for (const std::string_view breaking : kLineBreaking) {
        if (bytes.find(breaking) != std::string_view::npos) return false;
    }
    return true;
}

bool HoldsAsDecoded(const QString& text) {
    for (const QChar breaking : {QChar(QChar::ParagraphSeparator), QChar(0xfdd0), QChar(0xfdd1)}) {
        if (text.contains(breaking)) return false;
    }
    return true;
}

QByteArray EncodeText(const QString& text, TextFormat::Encoding encoding, TextFormat::LineBreak lineBreak) {
    // The breaks are widened in the bytes, after encoding: a wide copy of a large text with
    // its breaks replaced would cost twice the file's size more than the bytes themselves.
    QByteArray bytes = encoding == TextFormat::Encoding::Latin1 ? text.toLatin1() : text.toUtf8();
    switch (lineBreak) {
    case TextFormat::LineBreak::CrLf:
        WidenLineBreaks(bytes);
        break;
    case TextFormat::LineBreak::Cr:
        bytes.replace('\n', '\r');
        break;
    case TextFormat::LineBreak::Lf:
        break;
    }
    // UTF-8 is encoded into room for three bytes a character; the bytes may be kept a while.
    bytes.squeeze();
    return bytes;
}

bool CanEncode(const QString& text, TextFormat::Encoding encoding) {
    if (encoding == TextFormat::Encoding::Utf8) return true;
    for (QChar c : text) {
        if (c.unicode() > 0xff) return false;
    }
    return true;
}

QString DecodeMessage(const char* bytes, TextFormat::Encoding encoding) {
    if (encoding == TextFormat::Encoding::Latin1) return QString::fromLatin1(bytes);
    return QString::fromUtf8(bytes);
}
