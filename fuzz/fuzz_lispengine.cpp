// The LISP engine: any text read and evaluated form by form, with no document behind it.
//
// Only the reader and evaluation that runs straight through are fuzzed. Inputs that could
// loop or recurse without end, or reach files, are skipped: a name from kSkipped anywhere in
// the text, in any case (so "(while T)" is never run). eval and read are among them because
// (eval (read (strcat "(whi" "le T)"))) builds a loop out of text the filter cannot see.
// Code that grows a string or list exponentially, (setq s (strcat s s)) many times over,
// runs out of memory in any LISP; libFuzzer reports that as out-of-memory, not a crash.
//
// Checks that only the last result of an evaluation may be a failure (an error ends the
// evaluation) and that every failure says what went wrong.

#include "FuzzSupport.h"

#include "kernel/lisp/KvLispEngine.h"

namespace {

const char* const kSkipped[] = {"while", "repeat", "foreach", "mapcar", "apply", "defun", "lambda",
                                "load",  "open",   "eval",    "read"};

bool runsStraight(const QString& source)
{
    for (const char* name : kSkipped)
        if (source.contains(QLatin1String(name), Qt::CaseInsensitive))
            return false;
    return true;
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
    if (!runsStraight(source))
        return -1; // not worth keeping in libFuzzer's corpus either

    KvLispEngine engine(nullptr);
    engine.setOutputHandler([](const QString&) {});
    const QVector<KvLispEngine::Result> results = engine.evaluate(source);
    for (int i = 0; i < results.size(); ++i) {
        const KvLispEngine::Result& result = results.at(i);
        FUZZ_CHECK(result.ok || i == results.size() - 1);
        FUZZ_CHECK(result.ok || !result.error.isEmpty());
    }
    engine.userFunctions();
    engine.variablePrinted(QStringLiteral("A"));
    return 0;
}
