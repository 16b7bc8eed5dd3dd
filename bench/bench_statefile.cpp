// Merging a state file of N lines into N state lines: the indexed merge of CDialogState
// against the plain line-by-line merge, at N = 10,000 and 100,000.
#include "bench/ReferenceStateMerge.h"
#include "exchange/DialogState.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

namespace {
QStringList makeLines(int n, int salt)
{
    QStringList lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i) {
        // A mix of keys as the LISP side writes them: mostly distinct, some repeated,
        // some in other case, a few without "=".
        if (i % 97 == 0)
            lines << QStringLiteral("comment line %1").arg(i);
        else if (i % 13 == 0)
            lines << QStringLiteral("Control%1=%2").arg(i / 13).arg(salt);
        else
            lines << QStringLiteral("control%1=value %2").arg(i).arg(salt);
    }
    return lines;
}

double timeIndexed(const QString& path, const QStringList& initial)
{
    QDialog owner;
    CDialogState state(&owner);
    state.setStateLines(initial);
    QElapsedTimer t;
    t.start();
    state.loadStateFile(path);
    return t.nsecsElapsed() / 1e6;
}

double timeReference(const QStringList& initial, const QStringList& file)
{
    QStringList lines = initial;
    QElapsedTimer t;
    t.start();
    referenceStateMerge(lines, file);
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    double indexed[2] = {0, 0};
    const int sizes[2] = {10000, 100000};
    for (int k = 0; k < 2; ++k) {
        const int n = sizes[k];
        const QStringList initial = makeLines(n, 1);
        const QStringList file = makeLines(n, 2);
        const QString path = dir.filePath(QStringLiteral("state%1.txt").arg(n));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(file.join(QLatin1Char('\n')).toUtf8() + '\n');
        f.close();
        double best = 1e18;
        for (int rep = 0; rep < 5; ++rep)
            best = qMin(best, timeIndexed(path, initial));
        indexed[k] = best;
        std::printf("loadStateFile  N=%6d: %9.2f ms\n", n, best);
        if (n <= 10000)
            std::printf("line-by-line   N=%6d: %9.2f ms (reference)\n", n, timeReference(initial, file));
    }
    std::printf("scaling 100,000 / 10,000: %.1fx (linear would be 10x; goal within 12x)\n", indexed[1] / indexed[0]);
    return 0;
}
