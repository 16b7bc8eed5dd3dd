#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QTextStream;

// One top-level definition of a LISP source file, as the explorer lists and shows it.
struct LispFunctionRecord
{
    QString name;
    QStringList headerLines; // comment and empty lines right before the definition, tabs expanded
    QString definitionLine;  // the line that opens the definition, as written
    QStringList bodyLines;   // the following lines up to the one that closes it, tabs expanded
};

// Splits LISP source text into function records by counting parentheses outside comments.
// The scan is one pass over the text with no regular expressions, so it stays linear in the
// size of the file.
class LispSourceParser final
{
public:
    // What the explorer shows of a record (the index of its "Display as" box).
    enum class View { HeaderOnly = 0, FunctionOnly = 1, Both = 2 };

    static QVector<LispFunctionRecord> parse(const QStringList& lines);
    static QVector<LispFunctionRecord> parse(QTextStream& stream);

    // Reads the file as UTF-8 text. On failure returns false, leaves *records alone and puts
    // the file system's error text into *errorText.
    static bool parseFile(const QString& path, QVector<LispFunctionRecord>* records,
                          QString* errorText);

    // The lines of the record for the given view, joined with "\n".
    static QString text(const LispFunctionRecord& record, View view);

    // The function name read from a definition line: the definition starts are removed and
    // everything from the first blank or "(" on is cut off.
    static QString nameOf(const QString& definitionLine);
};
