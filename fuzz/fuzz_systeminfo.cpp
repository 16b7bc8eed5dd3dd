// The system information file of the support report: any bytes shown as text, one line
// break before each line, and the report built around it.

#include "FuzzSupport.h"

#include "dialogs/exchange/SupportReport.h"
#include "exchange/TextDecoding.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes = fuzz::bytes(data, size);
    const QString shown = KvSupportReport::systemInfoText(bytes);
    const QStringList lines = kvTextLines(kvDecodeText(bytes));
    FUZZ_CHECK(shown.count(QStringLiteral("\r\n")) >= lines.size());
    FUZZ_CHECK(lines.isEmpty() == shown.isEmpty());
    FUZZ_CHECK(shown.isEmpty() || shown.startsWith(QStringLiteral("\r\n")));

    KvSupportReport::Fields fields;
    fields.systemInfo = shown;
    FUZZ_CHECK(KvSupportReport::text(fields).endsWith(shown));
    return 0;
}
