#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// Records of fields joined by one separator ("type^name^path", "id^url^type^space"),
// as the LISP side and the side files exchange them.
namespace KvRecords {
// Exactly `fields` parts: the record split at the first fields - 1 separators, the last
// part taking the rest (separators included); parts the record lacks are empty.
QStringList split(const QString& record, QChar separator, int fields);
QString join(const QStringList& fields, QChar separator);
} // namespace KvRecords
