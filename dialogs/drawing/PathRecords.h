#pragma once

#include <QRegularExpression>
#include <QString>

// The paths a drawing refers to, as the LISP side hands them over and takes them back: one
// record "type^name^path" each, the path being everything after the second "^" (a path may
// hold "^" itself).
namespace KvPathRecords {

enum class Type { Other, Xref, Image, TextStyle, RemoteText };

struct Record
{
    QString type;
    QString name;
    QString path;
};

Record parse(const QString& record);
QString join(const Record& record);

// The record's type word ("Xref", "Image", "TextStyle", "RemoteText", as translated in the
// dialog's context), compared ignoring case.
Type typeOf(const QString& word);

// The path filter: an empty text or "*" lets every path through; otherwise a path passes
// when it holds a match of the text as a (Perl-compatible) regular expression. A text that is
// no valid expression lets nothing through.
class PathFilter
{
public:
    explicit PathFilter(const QString& pattern);
    bool passes(const QString& path) const;

private:
    bool m_all;
    QRegularExpression m_expression;
};

// Find and replace in one path, with regard to case: every occurrence of find replaced; an
// empty find puts the replacement in front of the path.
QString replaced(const QString& path, const QString& find, const QString& replacement);

} // namespace KvPathRecords
