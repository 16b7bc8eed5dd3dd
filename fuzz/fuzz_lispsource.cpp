// LISP source for the explorer: any bytes decoded as a file is read, split into lines and
// into function records. Checks what a record promises: its definition line holds its name
// and no blank or parenthesis is part of it, its header and body lines have no tabs left,
// its text for "both" holds every one of its lines, and no line turns up in two records.

#include "FuzzSupport.h"

#include "dialogs/lisp/LispSourceParser.h"
#include "exchange/TextDecoding.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = kvTextLines(kvDecodeText(fuzz::bytes(data, size)));
    const QVector<LispFunctionRecord> records = LispSourceParser::parse(lines);
    int used = 0;
    for (const LispFunctionRecord& record : records) {
        FUZZ_CHECK(record.definitionLine.contains(record.name));
        for (const QChar c : record.name)
            FUZZ_CHECK(!c.isSpace() && c != QLatin1Char('(') && c != QLatin1Char(')'));
        for (const QStringList* part : {&record.headerLines, &record.bodyLines})
            for (const QString& line : *part)
                FUZZ_CHECK(!line.contains(QLatin1Char('\t')));
        const QString both = LispSourceParser::text(record, LispSourceParser::View::Both);
        FUZZ_CHECK(both.count(QLatin1Char('\n')) == record.headerLines.size() + record.bodyLines.size());
        LispSourceParser::text(record, LispSourceParser::View::HeaderOnly);
        LispSourceParser::text(record, LispSourceParser::View::FunctionOnly);
        used += record.headerLines.size() + 1 + record.bodyLines.size();
    }
    FUZZ_CHECK(used <= lines.size());
    return 0;
}
