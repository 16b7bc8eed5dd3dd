// Attribute files: any bytes read as titles and rows. Checks that no row is wider than the
// header, that the import string of rows without "^" and tabs splits back into exactly
// those rows, and that unsafeField finds the fields that would break it.

#include "FuzzSupport.h"

#include "dialogs/blocks/AttributeFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const KvAttributeFile::Table table = KvAttributeFile::parse(fuzz::bytes(data, size));
    FUZZ_CHECK(!table.titles.isEmpty() || table.rows.isEmpty());
    bool safe = KvAttributeFile::unsafeField(table.titles) < 0;
    for (const QStringList& row : table.rows) {
        FUZZ_CHECK(!row.isEmpty() && row.size() <= table.titles.size());
        const int bad = KvAttributeFile::unsafeField(row);
        FUZZ_CHECK(bad < row.size());
        if (bad >= 0) {
            FUZZ_CHECK(row.at(bad).contains(QLatin1Char('^')));
            safe = false;
        }
    }
    if (!safe || table.titles.isEmpty())
        return 0;
    const QString import = KvAttributeFile::importString(table.titles, table.rows);
    const QStringList records = import.split(QLatin1Char('^'));
    FUZZ_CHECK(records.size() == table.rows.size() + 1);
    FUZZ_CHECK(records.first().split(QLatin1Char('\t')) == table.titles);
    for (int i = 0; i < table.rows.size(); ++i)
        FUZZ_CHECK(records.at(i + 1).split(QLatin1Char('\t')) == table.rows.at(i));
    return 0;
}
