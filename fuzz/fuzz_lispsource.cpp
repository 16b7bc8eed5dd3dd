// LISP source for the explorer: any text split into lines and into function records, both
// from a line list and from a stream. Checks what a record promises: its name is the one its
// definition line gives, its header and body lines have no tabs left, and its text for
// "both" holds every one of its lines.

#include "FuzzSupport.h"

#include "dialogs/lisp/LispSourceParser.h"

#include <QTextStream>

namespace {

void checkRecords(const QVector<LispFunctionRecord>& records, int lineCount)
{
    FUZZ_CHECK(records.size() <= lineCount);
    for (const LispFunctionRecord& record : records) {
        FUZZ_CHECK(record.name == LispSourceParser::nameOf(record.definitionLine));
        for (const QStringList* lines : {&record.headerLines, &record.bodyLines})
            for (const QString& line : *lines)
                FUZZ_CHECK(!line.contains(QLatin1Char('\t')));
        const QString both = LispSourceParser::text(record, LispSourceParser::View::Both);
        FUZZ_CHECK(both.count(QLatin1Char('\n')) == record.headerLines.size() + record.bodyLines.size());
        LispSourceParser::text(record, LispSourceParser::View::HeaderOnly);
        LispSourceParser::text(record, LispSourceParser::View::FunctionOnly);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString source = fuzz::text(data, size);
    // Split at "\n" only: lines keep any "\r", as a file read without text mode gives them.
    const QStringList lines = source.split(QLatin1Char('\n'));
    checkRecords(LispSourceParser::parse(lines), lines.size());

    QByteArray bytes = fuzz::bytes(data, size);
    QTextStream stream(&bytes, QIODevice::ReadOnly);
    stream.setCodec("UTF-8");
    checkRecords(LispSourceParser::parse(stream), lines.size() + source.count(QLatin1Char('\r')) + 1);

    for (const QString& line : lines.mid(0, 16))
        LispSourceParser::nameOf(line);
    return 0;
}
