// Settings lines for a script: any text split into lines, sorted by kind and shown in the
// rich-text view. Checks that every filter together gives back each line once, and that the
// view shows printable lines exactly as the script will hold them.

#include "FuzzSupport.h"

#include "dialogs/exchange/SettingsScript.h"
#include "exchange/TextDecoding.h"

#include <QTextDocument>
#include <algorithm>

namespace {
bool printable(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('\t') || c == QLatin1Char('\n') || (c.unicode() >= 0x20 && c.unicode() < 0x7f);
    });
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietQt();
    fuzz::ensureWidgetApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = fuzz::text(data, size);
    const QStringList lines = kvTextLines(text);
    const SettingsScript script(lines);

    const QStringList all = script.lines(SettingsScript::All);
    FUZZ_CHECK(all.size() == lines.size());
    FUZZ_CHECK(script.lines(SettingsScript::ReadOnly) + script.lines(SettingsScript::Dangerous)
                   + script.lines(SettingsScript::Standard)
               == all);

    QTextDocument view;
    view.setHtml(script.html(SettingsScript::All));
    if (printable(text)) {
        QString shown = view.toPlainText();
        shown.replace(QChar::LineSeparator, QLatin1Char('\n'));
        FUZZ_CHECK(shown == (all.isEmpty() ? QString() : all.join(QLatin1Char('\n')) + QLatin1Char('\n')));
    }
    return 0;
}
