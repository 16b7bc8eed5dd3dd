#include "dialogs/lisp/LispSymbolFile.h"

#include "exchange/TextDecoding.h"
#include "exchange/TextFiles.h"

namespace {

const QLatin1Char kSeparator('!');

// Field `index` of a line (0 is the kind); a line that stops early gives an empty field.
QStringRef field(const QVector<QStringRef>& fields, int index)
{
    return index < fields.size() ? fields.at(index) : QStringRef();
}

QVector<QStringRef> fieldsOf(const QString& line)
{
    return line.splitRef(kSeparator, Qt::KeepEmptyParts);
}

// ";(setq name definition)" for commands and functions.
void appendRoutine(QString* out, const QString& line)
{
    const QVector<QStringRef> fields = fieldsOf(line);
    out->append(QLatin1String(";(setq ")).append(field(fields, 1)).append(QLatin1Char(' '));
    out->append(field(fields, 4)).append(QLatin1String(")\n"));
}

// Variables of data type STR are dumped as LISP strings, everything else as written.
void appendVariable(QString* out, const QString& line)
{
    const QVector<QStringRef> fields = fieldsOf(line);
    const bool isString = field(fields, 2) == QLatin1String("STR");
    out->append(QLatin1String(";(setq ")).append(field(fields, 1));
    out->append(isString ? QLatin1String(" \"") : QLatin1String(" "));
    out->append(field(fields, 3));
    out->append(isString ? QLatin1String("\")\n") : QLatin1String(")\n"));
}

} // namespace

LispSymbolLists LispSymbolFile::parse(const QString& text)
{
    LispSymbolLists lists;
    for (const QString& line : kvTextLines(text)) {
        const int separator = line.indexOf(kSeparator);
        const QStringView kind = separator < 0 ? QStringView(line) : QStringView(line).left(separator);
        if (kind == QLatin1String("COMMAND"))
            lists.commands.append(line);
        else if (kind == QLatin1String("FUNCTION"))
            lists.functions.append(line);
        else if (kind == QLatin1String("VARIABLE"))
            lists.variables.append(line);
    }
    return lists;
}

bool LispSymbolFile::read(const QString& path, LispSymbolLists* lists, QString* errorText)
{
    QString text;
    if (!kvReadTextFile(path, &text, errorText))
        return false;
    LispSymbolLists parsed = parse(text);
    if (lists)
        *lists = std::move(parsed);
    return true;
}

QVector<QStringList> LispSymbolFile::tableRows(const QStringList& lines)
{
    QVector<QStringList> rows;
    rows.reserve(lines.size());
    for (const QString& line : lines) {
        const QVector<QStringRef> fields = fieldsOf(line);
        rows.append({field(fields, 1).toString(), field(fields, 2).toString(),
                     field(fields, 3).toString()});
    }
    return rows;
}

QString LispSymbolFile::dumpText(const LispSymbolLists& lists)
{
    QString out;
    for (const QString& line : lists.commands)
        appendRoutine(&out, line);
    for (const QString& line : lists.functions)
        appendRoutine(&out, line);
    for (const QString& line : lists.variables)
        appendVariable(&out, line);
    return out;
}

bool LispSymbolFile::writeDump(const QString& path, const LispSymbolLists& lists,
                               QString* errorText)
{
    return KvTextFile::writeBytes(path, KvTextFile::encode(dumpText(lists), KvTextFile::Codec::Utf8), errorText);
}
