#include "kernel/KvString.h"

QVector<CKvString> CKvString::Split(QChar separator) const
{
    QVector<CKvString> parts;
    const QStringList list = split(separator, Qt::KeepEmptyParts);
    parts.reserve(list.size());
    for (const QString& p : list)
        parts.append(p);
    return parts;
}
