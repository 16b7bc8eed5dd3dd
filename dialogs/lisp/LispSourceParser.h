#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One top-level definition of a LISP source file, as the explorer lists and shows it.
struct LispFunctionRecord
{
    QString name;
    QStringList headerLines; // comment and empty lines right before the definition, tabs expanded
    QString definitionLine;  // the line that opens the definition, as written
    QStringList bodyLines;   // the following lines up to the one that closes it, tabs expanded
};

// Splits LISP source text into function records by counting parentheses in the code, that
// is outside strings, ";" comments and ";| ... |;" block comments (strings and block
// comments may run over several lines). A definition is "(" + blanks + "defun" in any case
// + a blank. The scan is one pass with no regular expressions, linear in the size of the text.
class LispSourceParser final
{
public:
    // What the explorer shows of a record (the index of its "Display as" box).
    enum class View { HeaderOnly = 0, FunctionOnly = 1, Both = 2 };

    static QVector<LispFunctionRecord> parse(const QStringList& lines);
    // The text split at "\r\n", "\n" and lone "\r".
    static QVector<LispFunctionRecord> parseText(const QString& text);

    // Reads the file as UTF-8, or in its 8-bit code page when it is not UTF-8. On failure
    // returns false, leaves *records alone and puts the file system's error text into *errorText.
    static bool parseFile(const QString& path, QVector<LispFunctionRecord>* records,
                          QString* errorText);

    // The lines of the record for the given view, joined with "\n".
    static QString text(const LispFunctionRecord& record, View view);
};
