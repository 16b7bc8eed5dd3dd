// Alias files: any bytes read, and what the reader found written and read again. Checks
// that the writer never produces a file its own reader refuses, that it writes each kept
// record upper-cased, and that writing what was read back changes nothing more.

#include "FuzzSupport.h"

#include "dialogs/exchange/AliasFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const AliasFile::ReadResult read = AliasFile::parse(fuzz::bytes(data, size));
    FUZZ_CHECK(read.status != AliasFile::ReadStatus::Unreadable);
    FUZZ_CHECK((read.status == AliasFile::ReadStatus::Ok) == read.error.isEmpty());

    const QByteArray written = AliasFile::serialize(read.records);
    const AliasFile::ReadResult back = AliasFile::parse(written);
    FUZZ_CHECK(back.status == AliasFile::ReadStatus::Ok);
    FUZZ_CHECK(back.records.size() <= read.records.size());
    for (const AliasFile::Record& record : back.records) {
        FUZZ_CHECK(!record.command.isEmpty() && !record.alias.isEmpty());
        FUZZ_CHECK(record.command == record.command.toUpper() && record.alias == record.alias.toUpper());
    }
    FUZZ_CHECK(AliasFile::serialize(back.records) == written);
    return 0;
}
