// The alias editor with an alias file of 10,000 records, offscreen: the file read and the
// table filled on show, every cell selected and the rows listed as removal goes through
// them, one alias edit checked against all the other rows, and the table saved.
// Goals: each under 1 s.
#include "ModuleFixture.h"

#include "dialogs/exchange/Dlg_QT_EditAlias.h"
#include "exchange/TableFiller.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
void report(const char* what, double ms, double goal)
{
    std::printf("%-48s %8.2f ms   (goal < %g ms)%s\n", what, ms, goal, ms < goal ? "" : "   MISSED");
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    const int count = 10000;
    registerModuleImages();

    ModuleFixture host(1);
    const QString folder = host.path(QStringLiteral("support"));
    QDir().mkpath(folder);
    host.services()->GetSettings()->SetAliasFolder(folder);
    AliasFile::Records records;
    records.reserve(count);
    for (int i = 0; i < count; ++i)
        records.append({QStringLiteral("COMMAND_%1").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("A%1").arg(i)});
    if (!AliasFile::write(folder + QStringLiteral("/alias.xml"), records))
        return 1;
    std::printf("%d records, %d runs each, medians\n", count, runs);

    Dlg_QT_EditAlias dialog(host.mainWindow());
    const double show = medianMs(runs, [&] { dialog.hide(); }, [&] {
        dialog.show();
        QApplication::processEvents();
    });
    if (dialog.lstAlias->rowCount() != count)
        return 1;

    int rows = 0;
    const double selectAll = medianMs(runs, [&] { dialog.lstAlias->clearSelection(); }, [&] {
        dialog.lstAlias->selectAll();
        rows = KvTable::selectedRows(dialog.lstAlias).size();
    });
    if (rows != count)
        return 1;

    // The last row's alias changed to one no other row has: the whole column is compared.
    int edit = 0;
    const double check = medianMs(runs, nullptr, [&] {
        dialog.lstAlias->item(count - 1, 1)->setText(QStringLiteral("NEW%1").arg(edit++));
    });

    const double save = medianMs(runs, nullptr, [&] {
        AliasFile::write(dialog.currentAliasFile(), dialog.tableRows());
    });

    report("show: read 10,000 records and fill", show, 1000);
    report("select all cells and list their rows", selectAll, 1000);
    report("edit one alias: duplicate check over all rows", check, 1000);
    report("save 10,000 rows", save, 1000);
    return 0;
}
