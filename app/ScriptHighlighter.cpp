#include "ScriptHighlighter.h"

#include <QApplication>
#include <QPalette>

namespace {

constexpr int kInsideComment = 1;

// A hue that stands out against base: darker on a light background, lighter on a dark one.
QColor Tint(const QPalette& palette, int hue) {
    const bool darkBase = palette.color(QPalette::Base).lightness() < 128;
    return QColor::fromHsl(hue, 160, darkBase ? 170 : 85);
}

}  // namespace

ScriptHighlighter::ScriptHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    // One table; later rules paint over earlier ones, so strings and comments win over the
    // words inside them.
    rules = {
        {Kind::Keyword, QRegularExpression(QStringLiteral(
                            "\\b(if|else|while|do|for|switch|case|default|break|continue|return|exit)\\b"))},
        {Kind::Type, QRegularExpression(QStringLiteral("\\b(int|float|string|void)\\b"))},
        {Kind::Builtin, QRegularExpression(QStringLiteral(
                            "\\b(exp|log|sqrt|sin|cos|tan|asin|acos|atan|pow|rand|DEG|RAD|strlen|strtrim)\\b"
                            "(?=\\s*\\()"))},
        {Kind::Number, QRegularExpression(QStringLiteral("\\b\\d+(\\.\\d*)?([eE][-+]?\\d+)?\\b|\\.\\d+\\b"))},
        {Kind::String, QRegularExpression(QStringLiteral("\"([^\"\\\\]|\\\\.)*\"?"))},
        {Kind::Include, QRegularExpression(QStringLiteral("^\\s*#\\s*include\\b.*$"))},
        {Kind::LineComment, QRegularExpression(QStringLiteral("//.*$"))},
    };
    SetPalette(QApplication::palette());
}

void ScriptHighlighter::SetPalette(const QPalette& palette) {
    keywordFormat.setForeground(Tint(palette, 220));
    keywordFormat.setFontWeight(QFont::Bold);
    typeFormat.setForeground(Tint(palette, 280));
    builtinFormat.setForeground(Tint(palette, 190));
    numberFormat.setForeground(Tint(palette, 30));
    stringFormat.setForeground(Tint(palette, 120));
    includeFormat.setForeground(Tint(palette, 330));
    commentFormat.setForeground(palette.color(QPalette::PlaceholderText));
    commentFormat.setFontItalic(true);
    rehighlight();
}

QTextCharFormat& ScriptHighlighter::FormatOf(Kind kind) {
    switch (kind) {
    case Kind::Keyword:
        return keywordFormat;
    case Kind::Type:
        return typeFormat;
    case Kind::Builtin:
        return builtinFormat;
    case Kind::Number:
        return numberFormat;
    case Kind::String:
        return stringFormat;
    case Kind::Include:
        return includeFormat;
    case Kind::LineComment:
        return commentFormat;
    }
    return keywordFormat;
}

void ScriptHighlighter::highlightBlock(const QString& text) {
    for (const Rule& rule : rules) {
        for (auto match = rule.pattern.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            setFormat(static_cast<int>(found.capturedStart()), static_cast<int>(found.capturedLength()),
                      FormatOf(rule.kind));
        }
    }
    HighlightBlockComments(text);
}

void ScriptHighlighter::HighlightBlockComments(const QString& text) {
    setCurrentBlockState(0);
    qsizetype start = previousBlockState() == kInsideComment ? 0 : text.indexOf(QStringLiteral("/*"));
    while (start >= 0) {
        const qsizetype end =
            text.indexOf(QStringLiteral("*/"), start + (start == 0 && previousBlockState() == kInsideComment ? 0 : 2));
        qsizetype length = 0;
        if (end < 0) {
            setCurrentBlockState(kInsideComment);
            length = text.size() - start;
        } else {
            length = end - start + 2;
        }
        setFormat(static_cast<int>(start), static_cast<int>(length), commentFormat);
        start = end < 0 ? -1 : text.indexOf(QStringLiteral("/*"), start + length);
    }
}
