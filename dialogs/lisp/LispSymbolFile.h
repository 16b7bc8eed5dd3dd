#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The symbols the LISP side reported as defined, one "!"-separated line each, sorted by kind.
struct LispSymbolLists
{
    QStringList commands;  // lines whose kind is COMMAND
    QStringList functions; // lines whose kind is FUNCTION
    QStringList variables; // lines whose kind is VARIABLE
};

// Reads the symbol file written by the suite's LISP code and writes the dump file made from it.
// Line layout: kind!name!data type!type or value!definition... Lines may be shorter than the
// readers expect; a missing field reads as empty.
class LispSymbolFile final
{
public:
    // Sorts the lines by kind; the kind is compared case-sensitively and other kinds are skipped.
    static LispSymbolLists parse(const QString& text);

    // Reads the file as UTF-8, or in its 8-bit code page when it is not UTF-8. On failure returns false, leaves *lists untouched and puts
    // the file system's error text into *errorText.
    static bool read(const QString& path, LispSymbolLists* lists, QString* errorText);

    // Fields 1 to 3 of each line, always three strings per row, for the symbol table.
    static QVector<QStringList> tableRows(const QStringList& lines);

    // The dump: all COMMAND lines, then FUNCTION lines, then VARIABLE lines, each a LISP comment
    // line ending in "\n".
    static QString dumpText(const LispSymbolLists& lists);

    // Writes dumpText() as UTF-8 text, atomically: on failure the old file stays as it was.
    static bool writeDump(const QString& path, const LispSymbolLists& lists,
                          QString* errorText = nullptr);
};
