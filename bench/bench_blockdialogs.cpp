// The block replacement and block information dialogs with 100,000 blocks: first show,
// reshow, a header click that re-sorts, and selection changes, each with the painting it
// causes; then how long selecting one of the example drawing's blocks takes to preview.
#include "bench/ReferenceSortNames.h"
#include "dialogs/blocks/Dlg_QT_GetBlockInfo.h"
#include "dialogs/blocks/Dlg_QT_ReplaceBlock.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
double g_worst = 0;

// Runs step, lets the dialog paint itself, and prints the time both took.
double timed(QWidget* dialog, const char* what, const std::function<void()>& step)
{
    QElapsedTimer t;
    t.start();
    step();
    QApplication::processEvents();
    QPixmap picture = dialog->grab();
    const double ms = t.nsecsElapsed() / 1e6;
    std::printf("  %-46s %8.1f ms\n", what, ms);
    g_worst = qMax(g_worst, ms);
    return ms;
}

// "name^count" and "name;count" lists of sampleBlockEntries' names.
QStringList entries(int count, const QString& separator)
{
    QStringList list = sampleBlockEntries(count, 7);
    for (QString& entry : list)
        entry = entry.section(QLatin1Char(';'), 0, 1).replace(QLatin1Char(';'), separator);
    return list;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(korvane);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    QTemporaryDir user;
    CKvSystemServices::Options options;
    options.userFolder = user.path();
    CKvSystemServices::Create(options);
    CKvDocument* document = GetKvSystemServices()->GetDocumentManager()->OpenDocument(
        QStringLiteral(KV_SOURCE_DIR "/examples/drawings/blocks.dxf"));
    if (!document) {
        std::fprintf(stderr, "cannot open examples/drawings/blocks.dxf\n");
        return 1;
    }

    std::printf("Block replacement, %d blocks\n", count);
    {
        Dlg_QT_ReplaceBlock dialog;
        dialog.setWindowModality(Qt::NonModal);
        dialog.setCandidates(entries(count, QStringLiteral("^")));
        timed(&dialog, "first show (fill, sort, select, preview)", [&] { dialog.show(); });
        timed(&dialog, "reshow", [&] {
            dialog.hide();
            dialog.show();
        });
        timed(&dialog, "header click (descending)",
              [&] { emit dialog.blocksTable->horizontalHeader()->sectionClicked(0); });
        timed(&dialog, "select one row", [&] { dialog.blocksTable->selectRow(count / 2); });
        timed(&dialog, "select every row", [&] { dialog.blocksTable->selectAll(); });
        timed(&dialog, "replacing block: select one row", [&] { dialog.blocksTableRep->selectRow(count / 3); });
        // Back from picking: the picked blocks' names come with SETBLOCKS and are selected again.
        QStringList picked;
        for (int i = 0; i < 50; ++i)
            picked << dialog.blockNames().at((i * 7919) % count);
        dialog.dialogState()->setStateLines({QStringLiteral("blockstable=") + picked.join(QLatin1Char('^')) + QLatin1Char('^'),
                                             QStringLiteral("!action!=SETBLOCKS")});
        timed(&dialog, "reshow after picking 50 blocks", [&] {
            dialog.hide();
            dialog.show();
        });
    }

    std::printf("Block information, %d rows and %d nested\n", count, count / 10);
    {
        Dlg_QT_GetBlockInfo dialog;
        dialog.setWindowModality(Qt::NonModal);
        dialog.setRows(entries(count, QStringLiteral(";")), entries(count / 10, QStringLiteral(";")));
        timed(&dialog, "first show", [&] { dialog.show(); });
        timed(&dialog, "header click (instances)",
              [&] { emit dialog.blocksTable->horizontalHeader()->sectionClicked(1); });
        timed(&dialog, "include nested blocks", [&] { dialog.nestedCheckBox->click(); });
        timed(&dialog, "select every row", [&] { dialog.blocksTable->selectAll(); });
        timed(&dialog, "result list", [&] { dialog.shownRows(); });
    }
    std::printf("slowest step %.1f ms (goal: under 1000 ms)\n", g_worst);

    std::printf("Preview of a selected block of blocks.dxf (mean of 20)\n");
    {
        Dlg_QT_ReplaceBlock dialog;
        dialog.setWindowModality(Qt::NonModal);
        dialog.setCandidates({"DOOR", "ROOM", "SAMPLER", "WINDOW"});
        dialog.show();
        double slowest = 0;
        for (int row = 0; row < 4; ++row) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < 20; ++i) {
                dialog.blocksTable->clearSelection();
                dialog.blocksTable->selectRow(row);
            }
            const double ms = t.nsecsElapsed() / 1e6 / 20;
            slowest = qMax(slowest, ms);
            std::printf("  %-46s %8.2f ms\n", qPrintable(dialog.blocksTable->item(row, 0)->text()), ms);
        }
        std::printf("slowest preview %.2f ms (goal: under 50 ms)\n", slowest);
    }
    CKvSystemServices::Destroy();
    return 0;
}
