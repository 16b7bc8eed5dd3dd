#include "dialogs/lisp/Highlighter.h"

#include "dialogs/lisp/LispKeywords.h"

#include <QLineEdit>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

enum Mark : unsigned char { None, Paren, Keyword, String, Digit, Comment, Search, MarkCount };

// A name starts after white space or "(" and ends before white space, "(", ")" or the line end.
// White space is tab, line feed, vertical tab, form feed, carriage return and blank; other
// Unicode spaces do not separate names.
enum SeparatorBit : unsigned char { OpensName = 1, ClosesName = 2 };

// For each ASCII character: its separator bits, and its mark before names, strings and
// comments are found (parentheses and digits; digits keep their mark inside names and strings).
struct CharTable
{
    unsigned char bits[128];
    unsigned char mark[128];
};

constexpr CharTable makeCharTable()
{
    CharTable table{};
    for (const char c : {'\t', '\n', '\v', '\f', '\r', ' ', '('})
        table.bits[int(c)] = OpensName | ClosesName;
    table.bits[int(')')] = ClosesName;
    table.mark[int('(')] = Paren;
    table.mark[int(')')] = Paren;
    for (char c = '0'; c <= '9'; ++c)
        table.mark[int(c)] = Digit;
    return table;
}

constexpr CharTable kChars = makeCharTable();

// The loops below index plain arrays, and this test is inlined even without optimisation, so
// that the colouring stays fast in debug builds too.
[[gnu::always_inline]] inline bool hasBit(ushort u, SeparatorBit bit)
{
    return u < 128 && (kChars.bits[u] & bit);
}

// Exact, case-sensitive lookup of the keyword list: open addressing over views into
// lispKeywords(), which lives as long as the program.
class KeywordTable
{
public:
    KeywordTable()
    {
        const QStringList& keywords = lispKeywords();
        size_t size = 16;
        while (size < 2 * size_t(keywords.size()))
            size *= 2;
        m_slots.resize(size);
        m_mask = unsigned(size - 1);
        for (const QString& keyword : keywords) {
            const auto* data = reinterpret_cast<const ushort*>(keyword.constData());
            const int length = keyword.size();
            // A name holding a separator could never stand between separators; none does.
            Q_ASSERT(std::none_of(data, data + length,
                                  [](ushort u) { return hasBit(u, ClosesName); }));
            if (length == 0 || contains(data, length))
                continue;
            unsigned i = hash(data, length) & m_mask;
            while (m_slots[i].data)
                i = (i + 1) & m_mask;
            m_slots[i] = {data, length};
            m_maxLength = std::max(m_maxLength, length);
        }
    }

    bool contains(const ushort* text, int length) const
    {
        if (length > m_maxLength)
            return false;
        const Slot* table = m_slots.data();
        for (unsigned i = hash(text, length) & m_mask;; i = (i + 1) & m_mask) {
            if (!table[i].data)
                return false;
            if (table[i].length == length
                && std::memcmp(table[i].data, text, size_t(length) * sizeof(ushort)) == 0)
                return true;
        }
    }

private:
    struct Slot
    {
        const ushort* data = nullptr;
        int length = 0;
    };

    static unsigned hash(const ushort* text, int length)
    {
        unsigned h = 2166136261u; // FNV-1a
        for (int i = 0; i < length; ++i)
            h = (h ^ text[i]) * 16777619u;
        return h;
    }

    std::vector<Slot> m_slots;
    unsigned m_mask = 0;
    int m_maxLength = 0;
};

const KeywordTable& keywordTable()
{
    static const KeywordTable table;
    return table;
}

// A known name preceded by a separator that opens names and followed by one that closes them or
// by the line end. Names hold no separators, so the candidate after an opening separator is
// exactly the run up to the next closing one; a name at the very start of the line has nothing
// before it and is not coloured.
void markKeywords(const ushort* s, int n, unsigned char* marks)
{
    const KeywordTable& keywords = keywordTable();
    int i = 1;
    while (i < n) {
        if (!hasBit(s[i - 1], OpensName) || hasBit(s[i], ClosesName)) {
            ++i;
            continue;
        }
        int end = i + 1;
        while (end < n && !hasBit(s[end], ClosesName))
            ++end;
        if (keywords.contains(s + i, end - i)) {
            for (int j = i; j < end; ++j) {
                if (marks[j] != Digit)
                    marks[j] = Keyword;
            }
        }
        i = end;
    }
}

// From the first double quote of a line to its last, across anything between them but a line
// feed (a line may carry line feeds when the text was not split at them). Digits inside keep
// their own colour.
void markStrings(const QString& text, unsigned char* marks)
{
    const int n = text.size();
    int first = text.indexOf(QLatin1Char('"'));
    while (first >= 0) {
        int segmentEnd = text.indexOf(QLatin1Char('\n'), first);
        if (segmentEnd < 0)
            segmentEnd = n;
        const int last = text.lastIndexOf(QLatin1Char('"'), segmentEnd - 1);
        for (int j = first; last > first && j <= last; ++j) {
            if (marks[j] != Digit)
                marks[j] = String;
        }
        first = segmentEnd < n ? text.indexOf(QLatin1Char('"'), segmentEnd) : -1;
    }
}

// From each ";" to the end of the line (or the next line feed), over everything, strings too.
void markComments(const QString& text, unsigned char* marks)
{
    int from = text.indexOf(QLatin1Char(';'));
    while (from >= 0) {
        int end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0)
            end = text.size();
        std::memset(marks + from, Comment, size_t(end - from));
        from = end < text.size() ? text.indexOf(QLatin1Char(';'), end) : -1;
    }
}

} // namespace

Highlighter::Highlighter(QLineEdit* search, QTextDocument* document)
    : QSyntaxHighlighter(document)
    , m_search(search)
{
    static_assert(MarkCount == kMarkCount, "one format per mark");
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
    keywordTable(); // build the shared lookup table now, not inside the first coloured line
}

void Highlighter::highlightBlock(const QString& text)
{
    // A lone surrogate makes the line malformed UTF-16, in which the search pattern refuses to
    // match; such a line is left uncoloured as a whole rather than coloured in part.
    if (text.isEmpty() || !text.isValidUtf16())
        return;

    // Where the steps overlap, the later rule wins: parentheses, names, strings, digits,
    // comments, search matches.
    const int n = text.size();
    const auto* s = reinterpret_cast<const ushort*>(text.constData());
    if (m_marks.size() < size_t(n))
        m_marks.resize(size_t(n));
    unsigned char* marks = m_marks.data();
    for (int i = 0; i < n; ++i)
        marks[i] = s[i] < 128 ? kChars.mark[s[i]] : static_cast<unsigned char>(None);
    markKeywords(s, n, marks);
    markStrings(text, marks);
    markComments(text, marks);
    markSearchMatches(text);

    int start = 0;
    while (start < n) {
        const unsigned char current = marks[start];
        int end = start + 1;
        while (end < n && marks[end] == current)
            ++end;
        if (current != None)
            setFormat(start, end - start, m_formats[current]);
        start = end;
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
        std::fill(m_marks.begin() + match.capturedStart(), m_marks.begin() + match.capturedEnd(),
                  Search);
    }
}
