// The LISP explorer's symbol file: any bytes decoded as the file is read, sorted by kind, put
// into table rows and dumped. Checks that every row has its three fields however short the
// line, and that the dump has one line per symbol.

#include "FuzzSupport.h"

#include "dialogs/lisp/LispSymbolFile.h"

#include "exchange/TextDecoding.h"

namespace {

void checkRows(const QStringList& lines)
{
    const QVector<QStringList> rows = LispSymbolFile::tableRows(lines);
    FUZZ_CHECK(rows.size() == lines.size());
    for (const QStringList& row : rows)
        FUZZ_CHECK(row.size() == 3);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const LispSymbolLists lists = LispSymbolFile::parse(kvDecodeText(fuzz::bytes(data, size)));
    checkRows(lists.commands);
    checkRows(lists.functions);
    checkRows(lists.variables);

    const QString dump = LispSymbolFile::dumpText(lists);
    const int symbols = lists.commands.size() + lists.functions.size() + lists.variables.size();
    FUZZ_CHECK(dump.count(QLatin1Char('\n')) == symbols);
    FUZZ_CHECK(dump.isEmpty() || dump.endsWith(QLatin1Char('\n')));
    return 0;
}
