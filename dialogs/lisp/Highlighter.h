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
// Each line is scanned once: every character gets the mark of the last rule that covers it
// (parentheses, then function names, strings, digits, comments, search matches), and runs of
// equal marks become formats. Function names are looked up in a hash set, not matched with one
// pattern per name.
class Highlighter final : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    // `search` is not owned; its current text is read for every line. It may be null.
    Highlighter(QLineEdit* search, QTextDocument* document);

protected:
    void highlightBlock(const QString& text) override;

private:
    enum Mark : unsigned char { None, Paren, Keyword, String, Digit, Comment, Search, MarkCount };

    void markKeywords(const QString& text);
    void markStrings(const QString& text);
    void markComments(const QString& text);
    void markSearchMatches(const QString& text);
    void mark(int start, int end, Mark mark);

    QPointer<QLineEdit> m_search;
    QTextCharFormat m_formats[MarkCount];
    QString m_searchText;                // the text m_searchPattern was compiled from
    QRegularExpression m_searchPattern;  // recompiled only when the search text changes
    std::vector<unsigned char> m_marks;  // one Mark per character of the current line
};
