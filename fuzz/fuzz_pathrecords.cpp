// Path records: any text, line by line, read as "type^name^path" records, filtered with
// the first line as the pattern, and edited by find and replace. Checks that a record with
// two separators joins back to itself, that the path keeps everything after the second "^",
// that "*" and the empty pattern pass every path, and the rules of the replacement.

#include "FuzzSupport.h"

#include "dialogs/drawing/PathRecords.h"

#include <QStringList>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = fuzz::text(data, size).split(QLatin1Char('\n'));
    // Patterns come from a person typing; long ones only slow the run down.
    const KvPathRecords::PathFilter pattern(lines.first().left(64));
    const KvPathRecords::PathFilter all(QStringLiteral("*"));
    const KvPathRecords::PathFilter none{QString()};
    const QString find = lines.size() > 1 ? lines.at(1).left(8) : QString();
    for (const QString& line : lines) {
        const KvPathRecords::Record record = KvPathRecords::parse(line);
        FUZZ_CHECK(!record.type.contains(QLatin1Char('^')) && !record.name.contains(QLatin1Char('^')));
        if (line.count(QLatin1Char('^')) >= 2)
            FUZZ_CHECK(KvPathRecords::join(record) == line);
        else
            FUZZ_CHECK(!record.path.contains(QLatin1Char('^')));
        FUZZ_CHECK(all.passes(record.path) && none.passes(record.path));
        pattern.passes(record.path.left(256));
        KvPathRecords::typeOf(record.type);

        const QString edited = KvPathRecords::replaced(record.path, find, QStringLiteral("R"));
        if (find.isEmpty())
            FUZZ_CHECK(edited == QLatin1Char('R') + record.path);
        else if (!record.path.contains(find))
            FUZZ_CHECK(edited == record.path);
    }
    return 0;
}
