#pragma once

#include <QPointer>
#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <vector>

class QLineEdit;
class QTextDocument;

// Colours LISP source in the explorer's editor: parentheses, known function names, strings,
// digits and comments, and marks every match of the explorer's search text.
//
// Every character of a line gets the mark of the last rule that covers it (parentheses, then
// function names, strings, digits, comments, search matches), found in a few straight passes
// over the line; runs of equal marks become formats. Function names are looked up in a hash
// table, not matched with one pattern per name.
class Highlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    // `search` is not owned; its current text is read for every line. It may be null.
    Highlighter(QLineEdit* search, QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    // uncoloured, parenthesis, name, string, digit, comment, search match
    static constexpr int kMarkCount = 7;

    void markSearchMatches(const QString& text);

    QPointer<QLineEdit> m_search;
    QTextCharFormat m_formats[kMarkCount];
    QString m_searchText;                // the text m_searchPattern was compiled from
    QRegularExpression m_searchPattern;  // recompiled only when the search text changes
    std::vector<unsigned char> m_marks;  // one Mark per character of the current line
};
