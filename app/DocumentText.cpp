#include "DocumentText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// The first break decides the style; a file that mixes styles is written back in that one.
TextFormat::LineBreak DetectLineBreak(const QString& text) {
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == u'\n') return TextFormat::LineBreak::Lf;
        if (text[k] == u'\r') {
            return k + 1 < text.size() && text[k + 1] == u'\n' ? TextFormat::LineBreak::CrLf
                                                               : TextFormat::LineBreak::Cr;
        }
    }
    return TextFormat::LineBreak::CrLf;
}

// Script lines end with CR, optionally followed by LF; a lone LF counts too, as other
// editors write it.
QString UnifyLineBreaks(const QString& text) {
    QString unified;
    unified.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k] == u'\r') {
            if (k + 1 < text.size() && text[k + 1] == u'\n') ++k;
            unified += u'\n';
        } else {
            unified += text[k];
        }
    }
    return unified;
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
    // A byte order mark is kept as a character so that saving writes it back.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
        decoded.format.encoding = TextFormat::Encoding::Latin1;
    }
    decoded.format.lineBreak = DetectLineBreak(text);
    decoded.text = UnifyLineBreaks(text);
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
