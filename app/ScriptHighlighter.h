#pragma once
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

class QPalette;

/// Colours a script's keywords, type names, built-in functions, numbers, strings, comments
/// and #include lines, in colours drawn from the palette so light and dark themes both read.
class ScriptHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    /// Highlights document, or nothing while it is null.
    explicit ScriptHighlighter(QTextDocument* document);

    /// Takes the colours anew from palette, as after a change of desktop theme.
    void SetPalette(const QPalette& palette);

protected:
    void highlightBlock(const QString& text) override;

private:
    /// What a rule marks; the order of the rule table is the order of precedence.
    enum class Kind { Keyword, Type, Builtin, Number, String, Include, LineComment };
    struct Rule {
        Kind kind;
        QRegularExpression pattern;
    };

    /// Colours the block-comment spans, which may run over several lines.
    void HighlightBlockComments(const QString& text);
    QTextCharFormat& FormatOf(Kind kind);

    std::vector<Rule> rules;
    QTextCharFormat keywordFormat;
    QTextCharFormat typeFormat;
    QTextCharFormat builtinFormat;
    QTextCharFormat numberFormat;
    QTextCharFormat stringFormat;
    QTextCharFormat includeFormat;
    QTextCharFormat commentFormat;
};
