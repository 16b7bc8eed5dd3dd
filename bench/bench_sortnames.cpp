// Sorting 100,000 block-list entries on one field: CDialogState::sortNames (a collation key
// per entry, computed once) against splitting and collating inside every comparison.
#include "bench/ReferenceSortNames.h"
#include "exchange/DialogState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    const QStringList entries = sampleBlockEntries(count, 7);
    const QCollator collator = CDialogState::nameCollator();
    std::printf("%d entries, collator locale %s\n", count, qPrintable(collator.locale().name()));
    double ratioSum = 0;
    int runs = 0;
    for (int field : {0, 1}) {
        for (bool descending : {false, true}) {
            QStringList fast = entries;
            QElapsedTimer t;
            t.start();
            CDialogState::sortNames(fast, QStringLiteral(";"), field, descending);
            const double fastMs = t.nsecsElapsed() / 1e6;

            QStringList reference = entries;
            t.restart();
            referenceSortNames(reference, QStringLiteral(";"), field, descending, collator);
            const double referenceMs = t.nsecsElapsed() / 1e6;

            // Same order, except among entries whose fields compare equal.
            bool same = fast.size() == reference.size();
            for (int i = 0; same && i < fast.size(); ++i)
                same = collator.compare(fast.at(i).split(QLatin1Char(';')).value(field),
                                        reference.at(i).split(QLatin1Char(';')).value(field))
                    == 0;
            std::printf("field %d %-10s sortNames %8.1f ms   reference %8.1f ms   %5.1fx   order %s\n", field,
                        descending ? "descending" : "ascending", fastMs, referenceMs, referenceMs / fastMs,
                        same ? "same" : "DIFFERENT");
            ratioSum += referenceMs / fastMs;
            ++runs;
        }
    }
    std::printf("mean ratio %.1fx (goal: at least 5x)\n", ratioSum / runs);
    return 0;
}
