// The two largest forms, offscreen: the pattern hatch and the multiview setup shown for the
// first time (built, filled from a state file, laid out and painted), shown again, and the
// pattern hatch switching its pattern type and loading a favourite.
// Goals: first show under 50 ms, reshow under 5 ms, type switch and favourite under 20 ms.
#include "ModuleFixture.h"

#include "dialogs/drawing/DLG_QT_PatternHatch.h"
#include "dialogs/drawing/Dlg_QT_MultiViewSetup.h"
#include "drawing/KvDatabase.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QSettings>
#include <QStandardPaths>
#include "BenchTiming.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
void settle()
{
    QApplication::processEvents();
}

void report(const char* what, double ms, double goal)
{
    std::printf("%-44s %7.2f ms   (goal < %g ms)%s\n", what, ms, goal, ms < goal ? "" : "   MISSED");
}

bool writeState(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 30;
    registerModuleImages();

    ModuleFixture host(1);
    auto database = std::make_unique<CKvDatabase>();
    if (!database->LoadFile(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/blocks.dxf")))
        return 1;
    host.document(0)->SetDatabase(std::move(database));
    QDir().mkpath(host.userFolder() + QStringLiteral("/Template"));
    for (const char* name : {"A1 landscape.dwg", "A3 landscape.dwg", "A4 portrait.dwg"})
        QFile::copy(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/titleblock.dxf"),
                    host.userFolder() + QStringLiteral("/Template/") + QLatin1String(name));
    const QString hatchState = host.path(QStringLiteral("hatch.txt"));
    const QString setupState = host.path(QStringLiteral("setup.txt"));
    writeState(hatchState, "qtentities=4\nlbtitleblock=ROOM\nscalefactor=FALSE\nwidth=2\nheight=1\n"
                           "lbtitleimage=" KV_SOURCE_DIR "/examples/images/bricks.png\n"
                           "lbtitlexref=" KV_SOURCE_DIR "/examples/drawings/breakline_symbol.dwg\n");
    writeState(setupState, "msmetric=TRUE\nmslstscales=1:50^\n");
    std::printf("%d runs each, medians\n", runs);

    // First show: a dialog built, given its state file, shown, laid out and painted.
    auto firstShow = [&](auto* typeTag, const QString& state) {
        using Dialog = std::remove_pointer_t<decltype(typeTag)>;
        std::unique_ptr<Dialog> dialog;
        return medianMs(runs, [&] { dialog.reset(); }, [&] {
            dialog = std::make_unique<Dialog>(host.mainWindow());
            dialog->dialogState()->loadStateFile(state);
            dialog->show();
            settle();
            dialog->grab();
        });
    };
    const double hatchFirst = firstShow(static_cast<DLG_QT_PatternHatch*>(nullptr), hatchState);
    const double setupFirst = firstShow(static_cast<Dlg_QT_MultiViewSetup*>(nullptr), setupState);

    // Reshow: the dialog the LISP side calls again, with its state merged once more.
    DLG_QT_PatternHatch hatch(host.mainWindow());
    hatch.setMode(QStringLiteral("BOUNDARIES"));
    Dlg_QT_MultiViewSetup setup(host.mainWindow());
    auto reshow = [&](QDialog& dialog, CDialogState* state, const QString& path) {
        state->loadStateFile(path);
        dialog.show();
        settle();
        return medianMs(runs, [&] { dialog.hide(); settle(); }, [&] {
            state->loadStateFile(path);
            dialog.show();
            settle();
        });
    };
    const double hatchAgain = reshow(hatch, hatch.dialogState(), hatchState);
    const double setupAgain = reshow(setup, setup.dialogState(), setupState);

    // Switching the pattern type: the preview of the block, image or drawing redrawn.
    QRadioButton* types[] = {hatch.pattern_block, hatch.pattern_image, hatch.pattern_xref, hatch.pattern_mask};
    int next = 0;
    const double switching = medianMs(runs * 4, nullptr, [&] {
        types[next++ % 4]->click();
        settle();
    });

    // Loading a favourite: the controls set from the store and the pattern shown again.
    hatch.Cb_Favorits->setEditText(QStringLiteral("Bench"));
    hatch.Btn_SaveFav->click();
    const double favourite = medianMs(runs, [&] { hatch.pattern_mask->click(); settle(); }, [&] {
        hatch.Select(QStringLiteral("Bench"));
        settle();
    });
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName(),
              QStringLiteral("Korvane"))
        .remove(QStringLiteral("PatternHatch"));

    report("pattern hatch, first show", hatchFirst, 50);
    report("multiview setup, first show", setupFirst, 50);
    report("pattern hatch, reshow", hatchAgain, 5);
    report("multiview setup, reshow", setupAgain, 5);
    report("pattern hatch, switching the pattern type", switching, 20);
    report("pattern hatch, loading a favourite", favourite, 20);
    return 0;
}
