#include "dialogs/lisp/Highlighter.h"

#include "dialogs/lisp/LispKeywords.h"

#include <QLineEdit>
#include <QStringView>

#include <algorithm>
#include <unordered_set>

namespace {

// The characters the colouring treats as white space: tab, line feed, vertical tab, form feed,
// carriage return and blank. Other Unicode spaces do not separate names.
bool isBlank(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r');
}

// A name starts after one of these...
bool opensName(QChar c)
{
    return isBlank(c) || c == QLatin1Char('(');
}

// ...and ends before one of these or at the end of the line.
bool closesName(QChar c)
{
    return opensName(c) || c == QLatin1Char(')');
}

struct ViewHash
{
    size_t operator()(QStringView s) const noexcept { return qHash(s); }
};

using KeywordSet = std::unordered_set<QStringView, ViewHash>;

// Views into lispKeywords(), which lives as long as the program. The lookup is exact: "SETQ"
// is not the function name setq.
const KeywordSet& keywordSet()
{
    static const KeywordSet set = [] {
        KeywordSet s;
        for (const QString& keyword : lispKeywords()) {
            // A name holding a separator could never stand between separators; none does.
            Q_ASSERT(std::none_of(keyword.begin(), keyword.end(), closesName));
            if (!keyword.isEmpty())
                s.insert(QStringView(keyword));
        }
        return s;
    }();
    return set;
}

} // namespace

Highlighter::Highlighter(QLineEdit* search, QTextDocument* document)
    : QSyntaxHighlighter(document)
    , m_search(search)
{
    m_formats[Paren].setForeground(Qt::darkBlue);
    m_formats[Paren].setFontWeight(QFont::Bold);
    m_formats[Keyword].setForeground(Qt::darkRed);
    m_formats[Keyword].setFontWeight(QFont::Bold);
    m_formats[String].setForeground(Qt::darkGreen);
    m_formats[String].setFontWeight(QFont::Bold);
    m_formats[Digit].setForeground(Qt::darkCyan);
    m_formats[Digit].setFontWeight(QFont::Bold);
    m_formats[Comment].setForeground(Qt::gray);
    m_formats[Search].setForeground(Qt::white);
    m_formats[Search].setBackground(Qt::darkBlue);
    keywordSet(); // build the shared lookup set now, not inside the first coloured line
}

void Highlighter::highlightBlock(const QString& text)
{
    // A lone surrogate makes the line malformed UTF-16, in which the search pattern refuses to
    // match; such a line is left uncoloured as a whole rather than coloured in part.
    if (text.isEmpty() || !text.isValidUtf16())
        return;

    const int n = text.size();
    m_marks.assign(size_t(n), None);
    for (int i = 0; i < n; ++i) {
        if (text.at(i) == QLatin1Char('(') || text.at(i) == QLatin1Char(')'))
            m_marks[size_t(i)] = Paren;
    }
    markKeywords(text);
    markStrings(text);
    for (int i = 0; i < n; ++i) {
        const ushort u = text.at(i).unicode();
        if (u >= '0' && u <= '9')
            m_marks[size_t(i)] = Digit;
    }
    markComments(text);
    markSearchMatches(text);

    int start = 0;
    while (start < n) {
        const unsigned char current = m_marks[size_t(start)];
        int end = start + 1;
        while (end < n && m_marks[size_t(end)] == current)
            ++end;
        if (current != None)
            setFormat(start, end - start, m_formats[current]);
        start = end;
    }
}

void Highlighter::mark(int start, int end, Mark value)
{
    std::fill(m_marks.begin() + start, m_marks.begin() + end, value);
}

// A known name preceded by a blank or "(" and followed by a blank, a parenthesis or the line
// end. Names hold no separators, so the candidate after a separator is exactly the run of
// characters up to the next separator; a name at the very start of the line has no separator
// before it and is not coloured.
void Highlighter::markKeywords(const QString& text)
{
    const KeywordSet& keywords = keywordSet();
    const int n = text.size();
    int i = 1;
    while (i < n) {
        if (!opensName(text.at(i - 1)) || closesName(text.at(i))) {
            ++i;
            continue;
        }
        int end = i + 1;
        while (end < n && !closesName(text.at(end)))
            ++end;
        if (keywords.count(QStringView(text).mid(i, end - i)))
            mark(i, end, Keyword);
        i = end;
    }
}

// From the first double quote of a line to its last, across anything between them but a line
// feed (a line may carry line feeds when the text was not split at them).
void Highlighter::markStrings(const QString& text)
{
    const int n = text.size();
    int segment = 0;
    while (segment < n) {
        int segmentEnd = text.indexOf(QLatin1Char('\n'), segment);
        if (segmentEnd < 0)
            segmentEnd = n;
        const int first = text.indexOf(QLatin1Char('"'), segment);
        if (first >= 0 && first < segmentEnd) {
            const int last = text.lastIndexOf(QLatin1Char('"'), segmentEnd - 1);
            if (last > first)
                mark(first, last + 1, String);
        }
        segment = segmentEnd + 1;
    }
}

// From each ";" to the end of the line (or the next line feed), also inside strings.
void Highlighter::markComments(const QString& text)
{
    const int n = text.size();
    int from = text.indexOf(QLatin1Char(';'));
    while (from >= 0) {
        int end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = n;
        mark(from, end, Comment);
        from = text.indexOf(QLatin1Char(';'), end);
    }
}

// The search text is a case-insensitive pattern; one that does not compile marks nothing.
void Highlighter::markSearchMatches(const QString& text)
{
    const QString searchText = m_search ? m_search->text() : QString();
    if (searchText.isEmpty())
        return;
    if (searchText != m_searchText) {
        m_searchText = searchText;
        m_searchPattern = QRegularExpression(searchText, QRegularExpression::CaseInsensitiveOption);
        m_searchPattern.optimize();
    }
    if (!m_searchPattern.isValid())
        return;
    QRegularExpressionMatchIterator it = m_searchPattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        mark(match.capturedStart(), match.capturedEnd(), Search);
    }
}
