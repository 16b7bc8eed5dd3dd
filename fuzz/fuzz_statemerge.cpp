// State files merged into state lines, at full speed and without widgets: the indexed merge
// must agree with the plain line-by-line one for any bytes, merging the same file twice
// changes nothing more, and a value read back is that of the first line of its key.
// (fuzz_statefile drives the widgets: slower, so it is a target of its own.)

#include "FuzzSupport.h"

#include "bench/ReferenceStateMerge.h"
#include "exchange/DialogState.h"

#include <QBuffer>
#include <QTextCodec>
#include <QTextStream>

namespace {
// The file's lines as the merge reads them.
QStringList fileLines(const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream in(&buffer);
    in.setAutoDetectUnicode(true);
    in.setCodec(QTextCodec::codecForLocale());
    QStringList lines;
    QString line;
    while (in.readLineInto(&line))
        lines.append(line);
    return lines;
}

void merge(QStringList& lines, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    CDialogState::mergeStateText(lines, buffer);
}

// The value of `name` as the first line whose key equals it, ignoring case, gives it.
QString expectedValue(const QStringList& lines, const QString& name)
{
    if (name.isEmpty())
        return QString();
    for (const QString& line : lines) {
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq >= 0 && line.left(eq).compare(name, Qt::CaseInsensitive) == 0)
            return line.section(QLatin1Char('='), 1, 1);
    }
    return QString();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const QStringList lines = fileLines(bytes);
    // Lines a dialog may hold before the file is merged: keys in other cases, keys that
    // begin like others, no "=" at all, more than one "=".
    const QStringList earlier = {QStringLiteral("le_name=old"), QStringLiteral("LE_NAME=upper"),
                                 QStringLiteral("le_name_index=3"), QStringLiteral("=empty key"),
                                 QStringLiteral("no separator"), QStringLiteral("cb_keep=TRUE=x"),
                                 QStringLiteral("QtEntities=0"), QStringLiteral("le_name=again")};
    QStringList merged = earlier;
    merge(merged, bytes);
    QStringList expected = earlier;
    referenceStateMerge(expected, lines);
    FUZZ_CHECK(merged == expected);

    // A second merge of the same file finds every key in place.
    QStringList again = merged;
    merge(again, bytes);
    referenceStateMerge(expected, lines);
    FUZZ_CHECK(again == expected);

    for (const QString& line : lines.mid(0, 16)) {
        const QString key = line.section(QLatin1Char('='), 0, 0);
        FUZZ_CHECK(CDialogState::valueOf(merged, key) == expectedValue(merged, key));
    }
    return 0;
}
