// Line style (.lin) and shape (.shp) sources: any bytes decoded and read for their headers
// both ways.
// Checks that there is one header per line that begins with "*", and none of them reads
// past its line.

#include "FuzzSupport.h"

#include "dialogs/exchange/LineStyleFile.h"
#include "dialogs/exchange/ShapeFile.h"
#include "exchange/TextDecoding.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = kvTextLines(kvDecodeText(fuzz::bytes(data, size)));
    int starred = 0;
    for (const QString& line : lines)
        starred += line.startsWith(QLatin1Char('*')) ? 1 : 0;

    const QVector<LineStyleFile::Header> styles = LineStyleFile::headers(lines);
    const QVector<ShapeFile::Header> shapes = ShapeFile::headers(lines);
    FUZZ_CHECK(styles.size() == starred);
    FUZZ_CHECK(shapes.size() == starred);
    for (int i = 0; i < styles.size(); ++i) {
        FUZZ_CHECK(!styles.at(i).name.contains(QLatin1Char('\n')) && !styles.at(i).name.contains(QLatin1Char(',')));
        FUZZ_CHECK(!styles.at(i).description.contains(QLatin1Char('\r')));
        FUZZ_CHECK(shapes.at(i).number == styles.at(i).name);
    }
    return 0;
}
