// Reading a large DXF drawing and drawing its model-space preview, as the block tools do when
// a drawing file is chosen: the whole must stay well under a second for 100,000 entities.
//
//   bench_dxf [entities] [repetitions]
//
// The drawing is written into a temporary folder first (it is not kept in the repository).
#include "drawing/KvDatabase.h"
#include "kernel/KvSystemServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// A mix like a floor plan's: mostly lines and polylines, some arcs, circles, texts, splines
// and hatches (solid fills with a hole, and patterns bounded by lines and arcs), and
// references to a small block (each drawing four more entities), on five coloured layers.
QByteArray makeDrawing(int entities)
{
    QByteArray out;
    out.reserve(entities * 140);
    QTextStream s(&out);
    auto group = [&s](int code, const auto& value) { s << code << '\n' << value << '\n'; };
    group(0, "SECTION");
    group(2, "TABLES");
    group(0, "TABLE");
    group(2, "LAYER");
    for (int i = 1; i <= 5; ++i) {
        group(0, "LAYER");
        group(2, QStringLiteral("L%1").arg(i));
        group(70, 0);
        group(62, i);
    }
    group(0, "ENDTAB");
    group(0, "ENDSEC");
    group(0, "SECTION");
    group(2, "BLOCKS");
    group(0, "BLOCK");
    group(2, "MARK");
    group(70, 0);
    group(10, 0.0);
    group(20, 0.0);
    group(30, 0.0);
    for (const auto& l : {std::pair<double, double>{-2, 0}, {0, -2}}) {
        group(0, "LINE");
        group(8, "0");
        group(10, l.first);
        group(20, l.second);
        group(11, -l.first);
        group(21, -l.second);
    }
    group(0, "CIRCLE");
    group(8, "0");
    group(10, 0.0);
    group(20, 0.0);
    group(40, 1.5);
    group(0, "TEXT");
    group(8, "0");
    group(10, 1.0);
    group(20, 1.0);
    group(40, 0.5);
    group(1, "M");
    group(0, "ENDBLK");
    group(0, "ENDSEC");
    group(0, "SECTION");
    group(2, "ENTITIES");
    const int columns = 316;
    for (int i = 0; i < entities; ++i) {
        const double x = (i % columns) * 10.0, y = (i / columns) * 10.0;
        const QString layer = QStringLiteral("L%1").arg(1 + i % 5);
        switch (i % 20) {
        case 2: // a clamped cubic spline
            group(0, "SPLINE");
            group(8, layer);
            group(70, 8);
            group(71, 3);
            for (double k : {0, 0, 0, 0, 1, 2, 2, 2, 2})
                group(40, k);
            for (const auto& p : {std::pair<double, double>{1, 1}, {3, 9}, {5, 1}, {7, 9}, {9, 1}}) {
                group(10, x + p.first);
                group(20, y + p.second);
            }
            break;
        case 3: // a solid square with a round hole
            group(0, "HATCH");
            group(8, layer);
            group(2, "SOLID");
            group(70, 1);
            group(91, 2);
            group(92, 3);
            group(72, 0);
            group(73, 1);
            group(93, 4);
            for (const auto& p : {std::pair<double, double>{1, 1}, {9, 1}, {9, 9}, {1, 9}}) {
                group(10, x + p.first);
                group(20, y + p.second);
            }
            group(97, 0);
            group(92, 1);
            group(93, 1);
            group(72, 2);
            group(10, x + 5);
            group(20, y + 5);
            group(40, 2.0);
            group(50, 0.0);
            group(51, 360.0);
            group(73, 1);
            group(97, 0);
            group(75, 0);
            group(76, 1);
            group(98, 0);
            break;
        case 12: // a pattern bounded by a line and a half circle
            group(0, "HATCH");
            group(8, layer);
            group(2, "ANSI31");
            group(70, 0);
            group(91, 1);
            group(92, 1);
            group(93, 2);
            group(72, 1);
            group(10, x + 1);
            group(20, y + 2);
            group(11, x + 9);
            group(21, y + 2);
            group(72, 2);
            group(10, x + 5);
            group(20, y + 2);
            group(40, 4.0);
            group(50, 0.0);
            group(51, 180.0);
            group(73, 1);
            group(97, 0);
            group(75, 0);
            group(76, 1);
            group(52, 0.0);
            group(41, 1.0);
            group(77, 0);
            group(78, 1);
            group(53, 45.0);
            group(43, 0.0);
            group(44, 0.0);
            group(45, -2.2);
            group(46, 2.2);
            group(79, 0);
            group(98, 0);
            break;
        case 5:
        case 15:
            group(0, "CIRCLE");
            group(8, layer);
            group(10, x + 5);
            group(20, y + 5);
            group(40, 3.0);
            break;
        case 6:
        case 16:
            group(0, "ARC");
            group(8, layer);
            group(10, x + 5);
            group(20, y + 5);
            group(40, 4.0);
            group(50, 30.0);
            group(51, 210.0);
            break;
        case 7:
        case 17:
            group(0, "LWPOLYLINE");
            group(8, layer);
            group(90, 4);
            group(70, 1);
            group(10, x + 1);
            group(20, y + 1);
            group(42, 0.4);
            group(10, x + 9);
            group(20, y + 1);
            group(10, x + 9);
            group(20, y + 9);
            group(10, x + 1);
            group(20, y + 9);
            break;
        case 8:
        case 18:
            group(0, "TEXT");
            group(8, layer);
            group(10, x + 1);
            group(20, y + 4);
            group(40, 2.0);
            group(1, QStringLiteral("T%1").arg(i));
            break;
        case 9:
        case 19:
            group(0, "INSERT");
            group(8, layer);
            group(2, "MARK");
            group(10, x + 5);
            group(20, y + 5);
            group(50, double(i % 360));
            break;
        default:
            group(0, "LINE");
            group(8, layer);
            group(10, x);
            group(20, y + i % 10);
            group(11, x + 10);
            group(21, y + 10 - i % 10);
            break;
        }
    }
    group(0, "ENDSEC");
    group(0, "EOF");
    s.flush();
    return out;
}

// Processor time of this process in milliseconds: on a busy machine it shows the work itself,
// where the wall clock also counts the waits for a processor.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int entities = argc > 1 ? std::max(1, atoi(argv[1])) : 100000;
    const int repetitions = argc > 2 ? std::max(1, atoi(argv[2])) : 5;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.dxf"));
    {
        QFile file(path);
        const QByteArray data = makeDrawing(entities);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("drawing: %d entities, %.1f MB of DXF\n", entities, data.size() / 1e6);
    }

    std::vector<double> loads, renders, totals, cpuLoads, cpuRenders;
    CKvPreviewRenderer renderer;
    for (int r = 0; r < repetitions; ++r) {
        CKvDatabase db;
        QElapsedTimer timer;
        timer.start();
        const double cpu0 = cpuMs();
        if (!db.LoadFile(path)) {
            std::fprintf(stderr, "the drawing did not load\n");
            return 1;
        }
        const double load = timer.nsecsElapsed() / 1e6;
        const double cpu1 = cpuMs();
        timer.restart();
        const QImage image = renderer.Render(&db, {db.getModelSpaceId()}, QSize(500, 500));
        const double render = timer.nsecsElapsed() / 1e6;
        const double cpu2 = cpuMs();
        if (image.size() != QSize(500, 500)) {
            std::fprintf(stderr, "no image\n");
            return 1;
        }
        if (r == 0) {
            auto* model = dynamic_cast<OdDbBlockTableRecord*>(db.getModelSpaceId().openObject());
            std::printf("loaded: %zu entities in model space\n", model ? model->entities().size() : size_t(0));
            if (argc > 3)
                image.save(QString::fromLocal8Bit(argv[3]));
        }
        loads.push_back(load);
        renders.push_back(render);
        totals.push_back(load + render);
        cpuLoads.push_back(cpu1 - cpu0);
        cpuRenders.push_back(cpu2 - cpu1);
        std::printf("run %d: load %.0f ms, preview 500x500 %.0f ms, together %.0f ms (processor time %.0f + %.0f ms)\n", r + 1,
                    load, render, load + render, cpu1 - cpu0, cpu2 - cpu1);
    }
    std::printf("median: load %.0f ms, preview %.0f ms, together %.0f ms (processor time %.0f + %.0f ms; goal: under 1000 ms)\n",
                median(loads), median(renders), median(totals), median(cpuLoads), median(cpuRenders));
    return median(totals) < 1000 ? 0 : 2;
}
