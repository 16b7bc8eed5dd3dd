#include "dialogs/blocks/AttributeFile.h"

#include "exchange/TextDecoding.h"

#include <QFile>

KvAttributeFile::Table KvAttributeFile::parse(const QByteArray& bytes)
{
    Table table;
    const QStringList lines = kvTextLines(kvDecodeText(bytes));
    if (lines.isEmpty())
        return table;
    const QChar tab(QLatin1Char('\t'));
    table.titles = lines.first().split(tab);
    const int columns = table.titles.size();
    table.rows.reserve(lines.size() - 1);
    for (int i = 1; i < lines.size(); ++i) {
        QStringList fields = lines.at(i).split(tab);
        if (fields.size() > columns)
            fields.erase(fields.begin() + columns, fields.end());
        table.rows.append(fields);
    }
    return table;
}

bool KvAttributeFile::read(const QString& path, Table* table)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    *table = parse(bytes);
    return true;
}

QString KvAttributeFile::importString(const QStringList& titles, const QVector<QStringList>& rows)
{
    const QChar tab(QLatin1Char('\t'));
    QString text = titles.join(tab);
    for (const QStringList& row : rows) {
        text += QLatin1Char('^');
        text += row.join(tab);
    }
    return text;
}

int KvAttributeFile::unsafeField(const QStringList& fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        const QString& field = fields.at(i);
        for (const QChar c : field)
            if (c == QLatin1Char('^') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                return i;
    }
    return -1;
}
