#include "dialogs/blocks/BlockLists.h"

#include "exchange/TextFiles.h"

namespace KvBlockLists {

Candidate parseCandidate(const QString& entry)
{
    Candidate candidate;
    const int caret = entry.indexOf(QLatin1Char('^'));
    if (caret < 0) {
        candidate.name = entry;
        return candidate;
    }
    candidate.name = entry.left(caret);
    const int next = entry.indexOf(QLatin1Char('^'), caret + 1);
    const QStringRef count = next < 0 ? entry.midRef(caret + 1) : entry.midRef(caret + 1, next - caret - 1);
    bool ok = false;
    const int value = count.toInt(&ok, 10);
    candidate.count = ok ? value : 0;
    return candidate;
}

bool parseInfoRow(const QString& text, InfoRow* row)
{
    const int semicolon = text.indexOf(QLatin1Char(';'));
    if (semicolon < 0)
        return false;
    const int next = text.indexOf(QLatin1Char(';'), semicolon + 1);
    const QStringRef countText =
        next < 0 ? text.midRef(semicolon + 1) : text.midRef(semicolon + 1, next - semicolon - 1);
    bool ok = false;
    const qlonglong count = countText.toLongLong(&ok, 10);
    if (!ok || count <= 0)
        return false;
    if (row) {
        row->name = text.left(semicolon);
        row->count = count;
    }
    return true;
}

QStringList exportLines(const QVector<QPair<QString, QString>>& rows)
{
    int longest = 0;
    for (const auto& row : rows)
        longest = qMax(longest, row.first.size());
    const int width = longest + 5;
    QStringList lines;
    lines.reserve(rows.size() + 1);
    lines.append(QStringLiteral("Name").leftJustified(width - 2) + QLatin1Char(' ') + QStringLiteral("Instances"));
    for (const auto& row : rows)
        lines.append(row.first.leftJustified(width) + QLatin1String("  ") + row.second);
    return lines;
}

bool writeExport(const QString& path, const QVector<QPair<QString, QString>>& rows, QString* error)
{
    return KvTextFile::writeLines(path, exportLines(rows), KvTextFile::Codec::Local8Bit, KvTextFile::LineEnd::CrLf,
                                  error);
}

bool isReferenceDrawingName(const QString& fileName)
{
    const int dot = fileName.indexOf(QLatin1Char('.'));
    if (dot < 0 || fileName.indexOf(QLatin1Char('.'), dot + 1) >= 0)
        return false;
    return fileName.midRef(dot + 1).compare(QLatin1String("DWG"), Qt::CaseInsensitive) == 0;
}

QString firstSelectedName(const QString& tableValue)
{
    const int caret = tableValue.indexOf(QLatin1Char('^'));
    return caret < 0 ? tableValue : tableValue.left(caret);
}

} // namespace KvBlockLists
