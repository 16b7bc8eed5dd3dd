// First show and reshow of the option dialogs of the text, sheet and draw order tools,
// offscreen, with their largest usual contents: every colour number for the draw order,
// 1,000 sheets for the sheet merge. Goal: first show under 50 ms, reshow under 5 ms.
#include "dialogs/blocks/Dlg_QT_MergeSheets.h"
#include "dialogs/drawing/Dlg_QT_DrawOderColor.h"
#include "dialogs/text/DLG_QT_ConvertNotes.h"
#include "dialogs/text/Dlg_QT_TextFrame.h"
#include "dialogs/text/Dlg_QT_TextMask.h"
#include "dialogs/text/Dlg_QT_numbertext.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
// Milliseconds from show() until the dialog has been laid out and painted.
double timedShow(QDialog* dialog)
{
    QElapsedTimer t;
    t.start();
    dialog->show();
    QApplication::processEvents();
    dialog->repaint();
    const double ms = t.nsecsElapsed() / 1e6;
    dialog->hide();
    QApplication::processEvents();
    return ms;
}

void measure(const char* name, const std::function<QDialog*()>& make)
{
    QDialog* dialog = make();
    const double first = timedShow(dialog);
    double reshow = 1e9;
    for (int i = 0; i < 5; ++i)
        reshow = qMin(reshow, timedShow(dialog));
    std::printf("%-22s first show %6.1f ms   reshow %5.1f ms   %s\n", name, first, reshow,
                first < 50 && reshow < 5 ? "ok" : "OVER GOAL");
    delete dialog;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(korvane);
    QTemporaryDir home;
    CKvSystemServices::Options options;
    options.userFolder = home.path();
    CKvSystemServices::Create(options);
    GetKvSystemServices()->GetDocumentManager()->NewDocument(QStringLiteral("Drawing1"));

    // Styles, fonts and the resource images load once per process: warm them up with a
    // dialog that is not measured.
    delete new Dlg_QT_numbertext;

    measure("Dlg_QT_numbertext", [] { return new Dlg_QT_numbertext; });
    measure("Dlg_QT_TextFrame", [] { return new Dlg_QT_TextFrame; });
    measure("Dlg_QT_TextMask", [] { return new Dlg_QT_TextMask; });
    measure("DLG_QT_ConvertNotes", [] { return new DLG_QT_ConvertNotes; });
    measure("Dlg_QT_MergeSheets", [] {
        auto* d = new Dlg_QT_MergeSheets;
        QStringList names;
        for (int i = 0; i < 1000; ++i)
            names << QStringLiteral("Sheet %1").arg((i * 7919) % 1000);
        d->setSheetNames(names);
        return d;
    });
    measure("Dlg_QT_DrawOderColor", [] {
        auto* d = new Dlg_QT_DrawOderColor;
        QStringList colours;
        for (int i = 256; i >= 0; --i)
            colours << QString::number(i);
        d->setColors(colours);
        return d;
    });
    CKvSystemServices::Destroy();
    return 0;
}
