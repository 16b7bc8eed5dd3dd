#include "exchange/Records.h"

QStringList KvRecords::split(const QString& record, QChar separator, int fields)
{
    QStringList parts;
    if (fields <= 0)
        return parts;
    parts.reserve(fields);
    int start = 0;
    for (int i = 0; i < fields - 1; ++i) {
        const int next = start <= record.size() ? record.indexOf(separator, start) : -1;
        if (next < 0) {
            parts.append(start <= record.size() ? record.mid(start) : QString());
            start = record.size() + 1;
            continue;
        }
        parts.append(record.mid(start, next - start));
        start = next + 1;
    }
    parts.append(start <= record.size() ? record.mid(start) : QString());
    return parts;
}

QString KvRecords::join(const QStringList& fields, QChar separator)
{
    return fields.join(separator);
}
