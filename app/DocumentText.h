#pragma once
#include <QByteArray>
#include <QString>

/// How a script file stores its text, so that saving writes it back the way it was read.
struct TextFormat {
    /// The byte encoding of the file.
    enum class Encoding { Utf8, Latin1 };
    /// The line break the file uses.
    enum class LineBreak { CrLf, Lf, Cr };

    Encoding encoding = Encoding::Utf8;     ///< a new document is UTF-8
    LineBreak lineBreak = LineBreak::CrLf;  ///< a new document follows the scripts' own CR LF
};

/// A file's bytes split into editor text (line breaks as '\n') and the format they came in.
struct DecodedText {
    QString text;       ///< the text with every line break as '\n'
    TextFormat format;  ///< what Encode needs to give the bytes back
};

/// Reads file bytes: valid UTF-8 stays UTF-8, anything else is Latin-1, which maps every byte.
DecodedText DecodeText(const QByteArray& bytes);
/// True when a file's bytes are already what the engine reads of the text the editor makes
/// of them: every line break CR LF, and no character that the editor takes for a line break.
bool IsEngineText(const QByteArray& fileBytes);
/// True when the editor holds text as it is: no character in it that the editor takes for a
/// line break.
bool HoldsAsDecoded(const QString& text);
/// Writes editor text ('\n' line breaks) in the given encoding with the given line break.
QByteArray EncodeText(const QString& text, TextFormat::Encoding encoding, TextFormat::LineBreak lineBreak);
/// True when every character of text has a byte in the encoding.
bool CanEncode(const QString& text, TextFormat::Encoding encoding);
/// Bytes of the engine's messages, read in the document's encoding.
QString DecodeMessage(const char* bytes, TextFormat::Encoding encoding);
