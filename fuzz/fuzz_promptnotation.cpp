// Prompt texts in the suite's notation, "message[kw1/kw2]<default>": any text taken apart,
// cleaned the ways the prompt functions clean it, and its default read as a number. Checks
// that the parts are where they came from and that numbers stay finite and in range.

#include "FuzzSupport.h"

#include "input/PromptNotation.h"

#include <cmath>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = fuzz::text(data, size);
    for (const QString& prompt : {text, PromptNotation::withoutBackslashN(text), PromptNotation::withoutLineBreaks(text)}) {
        const PromptNotation n = PromptNotation::parse(prompt);
        FUZZ_CHECK(prompt.startsWith(n.message));
        if (n.hasKeywords)
            FUZZ_CHECK(prompt.contains(QLatin1Char('[') + n.keywords.join(QLatin1Char('/')) + QLatin1Char(']')));
        else
            FUZZ_CHECK(n.keywords.isEmpty());
        if (n.hasDefault)
            FUZZ_CHECK(prompt.contains(QLatin1Char('<') + n.defaultText + QLatin1Char('>')));
        else
            FUZZ_CHECK(n.defaultText.isEmpty());

        for (const QString& number : {n.defaultText, prompt}) {
            PromptNotation::isNumber(number);
            FUZZ_CHECK(std::isfinite(PromptNotation::toReal(number)));
            PromptNotation::toInteger(number);
        }
        PromptNotation::enterToKeyword(n.defaultText);
    }
    FUZZ_CHECK(!PromptNotation::withoutLineBreaks(text).contains(QLatin1Char('\n')));
    return 0;
}
