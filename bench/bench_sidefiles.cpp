// The attribute import dialog on a large attribute file: loading 100,000 rows of 6 columns
// into its table, "Select all", and a replacement over every cell, each with the repaint
// that follows. Goal: each step under a second.
#include "dialogs/blocks/Dlg_QT_ImportBlockAttributes.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {
QByteArray sampleAttributeFile(int rows)
{
    static const char* const rooms[] = {"Office", "Meeting", "Corridor", "Store", "Kitchen", "Plant room"};
    static const char* const finishes[] = {"Oak veneer", "Painted white", "Beech laminate", "Steel primed"};
    QByteArray bytes("DOOR_NO\tROOM\tWIDTH\tHEIGHT\tFIRE_RATING\tFINISH\r\n");
    bytes.reserve(rows * 48);
    for (int i = 0; i < rows; ++i) {
        bytes += "D" + QByteArray::number(i / 100) + "." + QByteArray::number(i % 100) + "\t";
        bytes += QByteArray::number(i % 997) + " " + rooms[i % 6] + "\t";
        bytes += QByteArray::number(726 + 100 * (i % 4)) + "\t2100\t";
        bytes += (i % 3 ? "FD30" : "") + QByteArray("\t") + finishes[i % 4] + "\r\n";
    }
    return bytes;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("attributes.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sampleAttributeFile(rows)) < 0)
        return 1;
    file.close();

    Dlg_QT_ImportBlockAttributes dialog;
    dialog.show();
    app.processEvents();

    double worst = 0;
    auto timed = [&](const char* what, const std::function<void()>& step) {
        QElapsedTimer t;
        t.start();
        step();
        dialog.grab();
        app.processEvents();
        const double ms = t.nsecsElapsed() / 1e6;
        worst = qMax(worst, ms);
        std::printf("%-40s %8.1f ms\n", what, ms);
    };
    std::printf("%d rows, 6 columns\n", rows);
    timed("load the file (Return in the path field)", [&] {
        dialog.AttributeFile->setText(path);
        emit dialog.AttributeFile->returnPressed();
    });
    timed("Select all", [&] { dialog.selectAll->click(); });
    timed("replace \"o\" by \"0\" in every cell", [&] {
        dialog.txsearch->setText(QStringLiteral("o"));
        dialog.txreplace->setText(QStringLiteral("0"));
        dialog.btReplace->click();
    });
    timed("Select all off", [&] { dialog.selectAll->click(); });
    std::printf("slowest step %.1f ms (goal: under 1000 ms); %d rows shown\n", worst, dialog.Attributes->rowCount());
    return 0;
}
