// Measures the LISP highlighter against the plain rule list it replaced, and the scaling of
// the LISP source parser. Run by hand: bench_highlighter [lines]
#include "bench/LispSampleSource.h"
#include "bench/ReferenceHighlighter.h"
#include "dialogs/lisp/Highlighter.h"
#include "dialogs/lisp/LispKeywords.h"
#include "dialogs/lisp/LispSourceParser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <vector>

namespace {

double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Highlights the whole document once and returns the milliseconds it took.
double timeRehighlight(QSyntaxHighlighter& highlighter)
{
    QElapsedTimer timer;
    timer.start();
    highlighter.rehighlight();
    return elapsedMs(timer);
}

bool sameFormats(QTextDocument& a, QTextDocument& b, int* mismatchBlock)
{
    for (QTextBlock x = a.firstBlock(), y = b.firstBlock(); x.isValid() && y.isValid();
         x = x.next(), y = y.next()) {
        QVector<QTextCharFormat> fx(x.length()), fy(y.length());
        for (const QTextLayout::FormatRange& r : x.layout()->formats())
            std::fill(fx.begin() + r.start, fx.begin() + r.start + r.length, r.format);
        for (const QTextLayout::FormatRange& r : y.layout()->formats())
            std::fill(fy.begin() + r.start, fy.begin() + r.start + r.length, r.format);
        if (fx != fy) {
            *mismatchBlock = x.blockNumber();
            return false;
        }
    }
    return a.blockCount() == b.blockCount();
}

// Edits one character in `count` lines spread over the document and times the highlighting of
// each edited line on its own.
double medianEditedLineMs(QTextDocument& document, QSyntaxHighlighter& highlighter, int count)
{
    QRandomGenerator random(7);
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        const QTextBlock block = document.findBlockByNumber(random.bounded(document.blockCount()));
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.insertText(QStringLiteral(" "));
        timer.start();
        highlighter.rehighlightBlock(block);
        times.push_back(elapsedMs(timer));
    }
    return median(times);
}

// Pushes the parser's input out of the processor caches, so that a small input (which would
// otherwise stay cached between runs) and a large one are both read from memory.
void evictCaches()
{
    static std::vector<char> buffer(size_t(64) << 20);
    static char salt = 0;
    ++salt;
    for (size_t i = 0; i < buffer.size(); i += 64)
        buffer[i] = char(buffer[i] + salt);
}

// Best time of `runs` cold runs, each parsing every input once, divided by the number of
// inputs. Ten small inputs parsed in one run take as long as one large input, so both sizes are
// equally exposed to other processes taking the processor.
double bestParseMs(const std::vector<QStringList>& inputs, int runs, int* records)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        evictCaches();
        *records = 0;
        QElapsedTimer timer;
        timer.start();
        for (const QStringList& lines : inputs)
            *records += LispSourceParser::parse(lines).size();
        best = std::min(best, elapsedMs(timer) / double(inputs.size()));
    }
    *records /= int(inputs.size());
    return best;
}

template<typename Generate>
void parserScaling(const char* what, Generate generate)
{
    std::vector<QStringList> small;
    for (int i = 0; i < 10; ++i)
        small.push_back(generate(10000)); // ten separate copies, not ten references to one
    const std::vector<QStringList> large{generate(100000)};
    int smallRecords = 0;
    int largeRecords = 0;
    const double smallMs = bestParseMs(small, 15, &smallRecords);
    const double largeMs = bestParseMs(large, 15, &largeRecords);
    std::printf("parser, %s: 10000 lines %.2f ms (%d records), 100000 lines %.2f ms (%d records), "
                "ratio %.1fx (goal <= 12x)\n",
                what, smallMs, smallRecords, largeMs, largeRecords, largeMs / smallMs);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lineCount = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;

    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString source = makeSource(lineCount, 1).join(QLatin1Char('\n'));
    QLineEdit search;
    std::printf("document: %d lines, %d characters, %d names in the keyword list\n", lineCount,
                int(source.size()), int(lispKeywords().size()));

    // Production highlighter, whole document, best of five.
    QTextDocument fastDocument(source);
    Highlighter fast(&search, &fastDocument);
    std::vector<double> fastRuns;
    for (int i = 0; i < 5; ++i)
        fastRuns.push_back(timeRehighlight(fast));
    const double fastMs = *std::min_element(fastRuns.begin(), fastRuns.end());
    std::printf("highlighter: whole document %.1f ms (best of 5, median %.1f ms)\n", fastMs,
                median(fastRuns));

    // Rule list: a slice first, to see whether the whole document fits in about a minute.
    const int sliceLines = std::min(lineCount, 1000);
    const QString slice = makeSource(lineCount, 1).mid(0, sliceLines).join(QLatin1Char('\n'));
    QTextDocument referenceSliceDocument(slice);
    ReferenceHighlighter referenceSlice(&search, &referenceSliceDocument);
    const double sliceMs = timeRehighlight(referenceSlice);
    const double projectedMs = sliceMs * lineCount / sliceLines;
    double referenceMs = projectedMs;
    bool identical = false;
    int mismatch = -1;
    if (projectedMs < 60000.0) {
        QTextDocument referenceDocument(source);
        ReferenceHighlighter reference(&search, &referenceDocument);
        referenceMs = timeRehighlight(reference);
        identical = sameFormats(fastDocument, referenceDocument, &mismatch);
        std::printf("rule list:   whole document %.1f ms (measured once)\n", referenceMs);
    } else {
        QTextDocument fastSliceDocument(slice);
        Highlighter fastSlice(&search, &fastSliceDocument);
        fastSlice.rehighlight();
        identical = sameFormats(fastSliceDocument, referenceSliceDocument, &mismatch);
        std::printf("rule list:   %d-line slice %.1f ms, scaled to the whole document: %.1f ms\n",
                    sliceLines, sliceMs, referenceMs);
    }
    std::printf("ratio: %.0fx faster (goal >= 100x); formats identical on every character: %s",
                referenceMs / fastMs, identical ? "yes" : "NO");
    if (!identical)
        std::printf(" (first difference in block %d)", mismatch);
    std::printf("\n");

    // Same with a search text, which both run as one pattern per line.
    search.setText(QStringLiteral("setq"));
    {
        const double fastSearchMs = timeRehighlight(fast);
        QTextDocument referenceDocument(slice);
        ReferenceHighlighter reference(&search, &referenceDocument);
        const double referenceSearchMs = timeRehighlight(reference) * lineCount / sliceLines;
        QTextDocument fastSliceDocument(slice);
        Highlighter fastSlice(&search, &fastSliceDocument);
        fastSlice.rehighlight();
        identical = sameFormats(fastSliceDocument, referenceDocument, &mismatch);
        std::printf("with search text \"setq\": highlighter %.1f ms, rule list %.1f ms (scaled from "
                    "%d lines), ratio %.0fx; identical: %s\n",
                    fastSearchMs, referenceSearchMs, sliceLines, referenceSearchMs / fastSearchMs,
                    identical ? "yes" : "NO");
    }
    search.clear();

    // One edited line at a time.
    {
        const double fastLineMs = medianEditedLineMs(fastDocument, fast, 301);
        QTextDocument referenceDocument(slice);
        ReferenceHighlighter reference(&search, &referenceDocument);
        reference.rehighlight();
        const double referenceLineMs = medianEditedLineMs(referenceDocument, reference, 101);
        std::printf("one edited line (median): highlighter %.1f us, rule list %.1f us\n",
                    fastLineMs * 1000.0, referenceLineMs * 1000.0);
    }

    // Parser scaling: ordinary files, one definition that never closes, and a long comment run.
    parserScaling("ordinary source", [](int n) { return makeSource(n, 2, false); });
    auto unbalanced = [](int n) {
        QStringList lines{QStringLiteral("(defun open-ended (a)")};
        for (int i = 1; i < n; ++i)
            lines << QStringLiteral("  (setq a (list a \"(\" %1)) ; (").arg(i);
        return lines;
    };
    parserScaling("never-closing definition", unbalanced);
    auto comments = [](int n) {
        QStringList lines;
        for (int i = 0; i < n; ++i)
            lines << (i % 1000 == 999 ? QStringLiteral("(defun f%1 () 1)").arg(i)
                                      : QStringLiteral(";; comment %1 (defun no)").arg(i));
        return lines;
    };
    parserScaling("long comment runs", comments);
    return 0;
}
