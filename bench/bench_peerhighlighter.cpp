// Our LISP highlighter against a general-purpose peer: KSyntaxHighlighting with its Common
// Lisp definition, both highlighting the same 20,000-line document in one run.
// Run by hand: bench_peerhighlighter [lines]
#include "bench/LispSampleSource.h"
#include "dialogs/lisp/Highlighter.h"

#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/SyntaxHighlighter>
#include <KSyntaxHighlighting/Theme>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
// Best and median of five whole-document passes, in milliseconds.
std::pair<double, double> timePasses(QSyntaxHighlighter& highlighter)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        highlighter.rehighlight();
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    return {runs.front(), runs[runs.size() / 2]};
}

// How many characters carry a format other than the block's default: both highlighters
// must have found something to colour.
long formattedCharacters(const QTextDocument& document)
{
    long count = 0;
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next())
        for (const QTextLayout::FormatRange& range : block.layout()->formats())
            count += range.length;
    return count;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int lineCount = argc > 1 ? std::max(100, std::atoi(argv[1])) : 20000;
    const QString source = makeSource(lineCount, 1).join(QLatin1Char('\n'));
    std::printf("document: %d lines, %d characters\n", lineCount, int(source.size()));

    QLineEdit search;
    QTextDocument ourDocument(source);
    Highlighter ours(&search, &ourDocument);
    const auto ourTimes = timePasses(ours);

    KSyntaxHighlighting::Repository repository;
    const KSyntaxHighlighting::Definition definition = repository.definitionForName(QStringLiteral("Common Lisp"));
    if (!definition.isValid()) {
        std::printf("the peer has no Common Lisp definition\n");
        return 1;
    }
    QTextDocument peerDocument(source);
    KSyntaxHighlighting::SyntaxHighlighter peer(&peerDocument);
    peer.setTheme(repository.defaultTheme(KSyntaxHighlighting::Repository::LightTheme));
    peer.setDefinition(definition);
    const auto peerTimes = timePasses(peer);

    std::printf("ours:  %8.1f ms (best of 5, median %.1f ms), %ld characters formatted\n", ourTimes.first,
                ourTimes.second, formattedCharacters(ourDocument));
    std::printf("peer:  %8.1f ms (best of 5, median %.1f ms), %ld characters formatted (%s %d)\n",
                peerTimes.first, peerTimes.second, formattedCharacters(peerDocument),
                qPrintable(definition.name()), definition.version());
    std::printf("ratio: ours is %.1fx %s\n",
                ourTimes.first < peerTimes.first ? peerTimes.first / ourTimes.first : ourTimes.first / peerTimes.first,
                ourTimes.first < peerTimes.first ? "faster" : "slower");
    return 0;
}
