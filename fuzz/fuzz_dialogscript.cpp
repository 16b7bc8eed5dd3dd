// Dialog scripts: any text parsed as a script. Checks that a refused script comes back empty
// with one message per problem, each naming the file, and that the actions whose values
// are written quoted read back the same from the script text they describe themselves as.

#include "FuzzSupport.h"

#include "host/automation/ModalScript.h"

#include <QStringList>

namespace {

const QString kSource = QStringLiteral("fuzz.txt");

// Whether an action reads back the same from its description. Click and choose write their
// name or path as it stands, which is not always how it was written. A selection of no rows
// is described trimmed, which also drops what Qt counts as white space at the end of the
// name (a form feed, a no-break space) though scripts separate words by blanks and tabs only.
bool readsBack(const ModalAction& action)
{
    switch (action.kind) {
    case ModalAction::Kind::Click:
    case ModalAction::Kind::Choose:
        return false;
    case ModalAction::Kind::Select:
        return !action.rows.isEmpty() || action.name.isEmpty() || !action.name.back().isSpace();
    default:
        return true;
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
    const QString text = fuzz::text(data, size);
    ModalScript script;
    QString errors;
    if (!ModalScript::parse(text, kSource, &script, &errors)) {
        FUZZ_CHECK(script.blocks.isEmpty());
        FUZZ_CHECK(!errors.isEmpty());
        for (const QString& line : errors.split(QLatin1Char('\n')))
            FUZZ_CHECK(line.startsWith(kSource + QLatin1Char(':')));
        return 0;
    }
    FUZZ_CHECK(!script.blocks.isEmpty());

    QString again;
    for (int b = 0; b < script.blocks.size(); ++b) {
        const ModalBlock& block = script.blocks.at(b);
        FUZZ_CHECK(!block.actions.isEmpty());
        script.where(b);
        again += block.windowClass + QLatin1Char('\n');
        for (const ModalAction& action : block.actions) {
            script.where(b, action);
            again += QStringLiteral("  ")
                     + (readsBack(action) ? action.describe() : QStringLiteral("click placeholder"))
                     + QLatin1Char('\n');
        }
    }
    ModalScript reread;
    QString rereadErrors;
    FUZZ_CHECK(ModalScript::parse(again, kSource, &reread, &rereadErrors));
    FUZZ_CHECK(reread.blocks.size() == script.blocks.size());
    for (int b = 0; b < script.blocks.size(); ++b) {
        const ModalBlock& block = script.blocks.at(b);
        const ModalBlock& other = reread.blocks.at(b);
        FUZZ_CHECK(other.windowClass == block.windowClass);
        FUZZ_CHECK(other.actions.size() == block.actions.size());
        for (int a = 0; a < block.actions.size(); ++a) {
            const ModalAction& x = block.actions.at(a);
            const ModalAction& y = other.actions.at(a);
            if (!readsBack(x))
                continue;
            FUZZ_CHECK(y.kind == x.kind);
            FUZZ_CHECK(y.name == x.name);
            FUZZ_CHECK(y.value == x.value);
            FUZZ_CHECK(y.rows == x.rows);
            FUZZ_CHECK(y.enabled == x.enabled);
        }
    }
    return 0;
}
