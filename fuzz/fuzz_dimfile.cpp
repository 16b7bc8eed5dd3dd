// Dimension style files: any bytes listed, every style read as both dialogs read it, shown
// as variable rows and exported. Checks that reading stays within the file, that exports are
// whole CR LF lines, and that a name-only export keeps no text style line of its own.

#include "FuzzSupport.h"

#include "dialogs/exchange/DimStyleFile.h"

#include <QSet>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const DimStyleFile file(fuzz::bytes(data, size));
    const QStringList names = file.styleNames();
    FUZZ_CHECK(names.size() <= file.lineCount());

    QSet<QString> seen;
    for (const QString& name : names) {
        if (seen.size() >= 32 || seen.contains(name.toUpper()))
            continue;
        seen.insert(name.toUpper());
        for (const bool apart : {false, true}) {
            const DimStyleFile::Content content = file.content(name, apart);
            FUZZ_CHECK(content.lines.size() + content.textStyles.size() <= file.lineCount());
            FUZZ_CHECK(apart || content.textStyles.isEmpty());
            FUZZ_CHECK(DimStyleFile::variableRows(content.lines).size() <= qMax(0, content.lines.size() - 1));
        }
    }

    const QByteArray full = file.exportStyles(names, true);
    const QByteArray nameOnly = file.exportStyles(names, false);
    FUZZ_CHECK(nameOnly.size() <= full.size());
    for (const QByteArray* out : {&full, &nameOnly}) {
        FUZZ_CHECK(out->isEmpty() || out->endsWith("\r\n"));
        FUZZ_CHECK(out->count('\n') == out->count("\r\n"));
    }
    // (Decoded with the size given: a QByteArray alone stops at its first zero byte.)
    for (const QByteArray& line : nameOnly.split('\n'))
        FUZZ_CHECK(!line.contains("DIMTXT_")
                   || !DimStyleFile::nameOfLine(QString::fromLatin1(line.constData(), line.size())).isNull());
    return 0;
}
