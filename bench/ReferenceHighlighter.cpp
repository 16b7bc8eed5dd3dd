#include "bench/ReferenceHighlighter.h"

#include "dialogs/lisp/LispKeywords.h"

#include <QLineEdit>

ReferenceHighlighter::ReferenceHighlighter(QLineEdit* search, QTextDocument* document)
    : QSyntaxHighlighter(document)
    , m_search(search)
    , m_commentPattern(QStringLiteral(";[^\n]*")) // a real line feed inside the class
{
    m_format.setForeground(Qt::darkBlue);
    m_format.setFontWeight(QFont::Bold);
    m_rules.append({QRegularExpression(QStringLiteral("[()]")), m_format});

    // Names are escaped, so "1+" and "*error*" stand for themselves. A name at the line end has
    // no character after it: the end of the text counts as a line break.
    m_keywordFormat.setForeground(Qt::darkRed);
    m_keywordFormat.setFontWeight(QFont::Bold);
    for (const QString& keyword : lispKeywords()) {
        m_rules.append({QRegularExpression(QStringLiteral("(?<=[\\s(])")
                                               + QRegularExpression::escape(keyword)
                                               + QStringLiteral("(?=[\\s()\\n]|$)")),
                        m_keywordFormat});
    }

    m_format.setForeground(Qt::darkGreen);
    m_format.setFontWeight(QFont::Bold);
    m_rules.append({QRegularExpression(QStringLiteral("\".*\"")), m_format});

    m_format.setForeground(Qt::darkCyan);
    m_format.setFontWeight(QFont::Bold);
    m_rules.append({QRegularExpression(QStringLiteral("[0-9]")), m_format});

    m_commentFormat.setForeground(Qt::gray);
    m_searchFormat.setForeground(Qt::white);
    m_searchFormat.setBackground(Qt::darkBlue);
}

void ReferenceHighlighter::highlightBlock(const QString& text)
{
    const QVector<Rule> rules = m_rules;
    for (const Rule& rule : rules) {
        QRegularExpressionMatchIterator it = rule.pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            setFormat(match.capturedStart(), match.capturedLength(), rule.format);
        }
    }

    QRegularExpressionMatchIterator comments = m_commentPattern.globalMatch(text);
    while (comments.hasNext()) {
        const QRegularExpressionMatch match = comments.next();
        setFormat(match.capturedStart(), match.capturedLength(), m_commentFormat);
    }

    if (m_search && !m_search->text().isEmpty()) {
        const QRegularExpression pattern(m_search->text(), QRegularExpression::CaseInsensitiveOption);
        if (!pattern.isValid())
            return;
        QRegularExpressionMatchIterator it = pattern.globalMatch(text);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            setFormat(match.capturedStart(), match.capturedLength(), m_searchFormat);
        }
    }
}
