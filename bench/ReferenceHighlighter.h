#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

class QLineEdit;
class QTextDocument;

// The LISP colouring written as a plain rule list (one pattern per function name, each matched
// against every line), kept as the yardstick the production highlighter is measured and
// checked against.
class ReferenceHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    ReferenceHighlighter(QLineEdit* search, QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Rule
    {
        QRegularExpression pattern;
        QTextCharFormat format;
    };

    QLineEdit* m_search;
    QVector<Rule> m_rules;
    QTextCharFormat m_keywordFormat;
    QTextCharFormat m_format; // working format, copied into each rule that uses it
    QTextCharFormat m_commentFormat;
    QTextCharFormat m_searchFormat;
    QRegularExpression m_commentPattern;
};
