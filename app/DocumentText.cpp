#include "DocumentText.h"

#include <QStringDecoder>
#include <QStringEncoder>
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

const char* LineBreakBytes(TextFormat::LineBreak lineBreak) {
    switch (lineBreak) {
    case TextFormat::LineBreak::CrLf: return "\r\n";
    case TextFormat::LineBreak::Lf: return "\n";
    case TextFormat::LineBreak::Cr: return "\r";
    }
    return "\r\n";
}

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

QByteArray EncodeText(const QString& text, TextFormat::Encoding encoding, TextFormat::LineBreak lineBreak) {
    QString withBreaks = text;
    withBreaks.replace(u'\n', QString::fromLatin1(LineBreakBytes(lineBreak)));
    if (encoding == TextFormat::Encoding::Latin1) return withBreaks.toLatin1();
    return withBreaks.toUtf8();
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
