// The hyperlink list's links file: any bytes read as links, written back and read again.
// Checks that every link stays one line of four fields, and that a URL made of the same
// bytes can neither shift the fields around it nor start another line.

#include "FuzzSupport.h"

#include "dialogs/drawing/LinksFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QVector<KvLinksFile::Link> links = KvLinksFile::parse(fuzz::bytes(data, size));
    const QByteArray written = KvLinksFile::encode(links, {QStringLiteral("7")});
    const QVector<KvLinksFile::Link> again = KvLinksFile::parse(written);
    FUZZ_CHECK(again.size() == links.size() + 1);
    FUZZ_CHECK(again.last().id == QLatin1String("REMOVE") && again.last().url == QLatin1String("7"));
    FUZZ_CHECK(written.endsWith("\r\n"));

    const KvLinksFile::Link typed{QStringLiteral("A1"), fuzz::text(data, size), QStringLiteral("LINE"),
                                  QStringLiteral("Model")};
    const QVector<KvLinksFile::Link> one = KvLinksFile::parse(KvLinksFile::encode({typed}, {}));
    FUZZ_CHECK(one.size() == 1);
    FUZZ_CHECK(one.first().id == typed.id && one.first().type == typed.type && one.first().space == typed.space);
    return 0;
}
