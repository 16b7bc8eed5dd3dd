// The block lists of the block tools: any text read line by line as the "name^count"
// candidates of the replacement dialogs, as the "name;count" rows of the block information
// and as file names of a reference folder, and the information rows exported. Checks that
// a candidate's name is the entry up to its first "^", that only rows with a count above 0
// are shown, and that every exported line is padded to the longest name plus 5.

#include "FuzzSupport.h"

#include "dialogs/blocks/BlockLists.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = fuzz::text(data, size).split(QLatin1Char('\n'));
    QVector<QPair<QString, QString>> shown;
    int longest = 0;
    for (const QString& line : lines) {
        const KvBlockLists::Candidate candidate = KvBlockLists::parseCandidate(line);
        FUZZ_CHECK(line.startsWith(candidate.name));
        FUZZ_CHECK(!candidate.name.contains(QLatin1Char('^')));

        KvBlockLists::InfoRow row;
        if (KvBlockLists::parseInfoRow(line, &row)) {
            FUZZ_CHECK(row.count > 0);
            FUZZ_CHECK(!row.name.contains(QLatin1Char(';')));
            shown.append({row.name, QString::number(row.count)});
            longest = qMax(longest, row.name.size());
        }

        if (KvBlockLists::isReferenceDrawingName(line))
            FUZZ_CHECK(line.count(QLatin1Char('.')) == 1 && line.endsWith(QLatin1String("dwg"), Qt::CaseInsensitive));
        FUZZ_CHECK(KvBlockLists::firstSelectedName(line).size() <= line.size());
    }

    const QStringList exported = KvBlockLists::exportLines(shown);
    FUZZ_CHECK(exported.size() == shown.size() + 1);
    FUZZ_CHECK(exported.first().size() == qMax(longest + 3, 4) + 1 + 9);
    for (int i = 0; i < shown.size(); ++i)
        FUZZ_CHECK(exported.at(i + 1).size() == longest + 5 + 2 + shown.at(i).second.size());
    return 0;
}
