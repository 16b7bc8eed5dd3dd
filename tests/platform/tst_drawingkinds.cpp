// The entity kinds beyond lines and texts: faces, splines, dimensions, hatches, leaders,
// multilines, images and wipeouts, read from the sample drawings, measured and drawn.
#include "DrawingTesting.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvDrawingPainter.h"
#include "drawing/KvDxfReader.h"
#include "kernel/KvSystemServices.h"

#include <QImage>

#include <QtTest>

#include <cmath>

namespace {

using Points = QVector<QPointF>;

QStringList repeated(int count, const char* kind)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(kind);
    return list;
}

OdDbBlockTableRecord* modelSpace(const CKvDatabase& db)
{
    return dynamic_cast<OdDbBlockTableRecord*>(db.getModelSpaceId().openObject());
}

QString describe(const QRectF& r)
{
    return QStringLiteral("(%1, %2) to (%3, %4)").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

const QRgb kBackground = KvDrawingPainter::defaultBackground().rgb();

int litPixels(const QImage& image, const QRect& area)
{
    int lit = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            lit += image.pixel(x, y) != kBackground;
    return lit;
}

QImage preview(CKvDatabase& db, const QSize& size)
{
    CKvPreviewRenderer renderer;
    return renderer.Render(&db, {db.getModelSpaceId()}, size);
}

// Where the preview of model space puts a point: fitted as the renderer fits it.
QTransform previewTransform(const CKvDatabase& db, const QSize& size)
{
    const double margin = std::max(2.0, 0.03 * std::min(size.width(), size.height()));
    return KvDrawingPainter::fitTransform(modelSpace(db)->geomExtents(), QRectF(QPointF(0, 0), QSizeF(size)), margin);
}

std::unique_ptr<OdDbSpline> spline(int degree, const QVector<double>& knots, const Points& control, const QVector<double>& weights,
                                   const Points& fit, bool closed)
{
    auto s = std::make_unique<OdDbSpline>();
    s->degree = degree;
    s->knots = knots;
    for (const QPointF& p : control)
        s->controlPoints.append({p.x(), p.y(), 0});
    s->weights = weights;
    for (const QPointF& p : fit)
        s->fitPoints.append({p.x(), p.y(), 0});
    s->closed = closed;
    s->evaluate();
    return s;
}

bool passesThrough(const QVector<OdGePoint3d>& curve, const QPointF& p)
{
    return std::any_of(curve.begin(), curve.end(),
                       [&](const OdGePoint3d& c) { return std::hypot(c.x - p.x(), c.y - p.y()) < 1e-9; });
}

} // namespace

class TestDrawingKinds : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void splines_data();
    void splines();
    void splineSizeIsBounded();
    void hatchFillsAroundItsHole();
    void faceHidesItsInvisibleEdges();
    void imageFrames_data();
    void imageFrames();
    void wipeoutFramesFollowTheSetting();
    void dimensionShowsItsBlock();
    void embeddedObjectIsNotTheEntitys();
};

void TestDrawingKinds::examples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("kinds");   // model space, in order
    QTest::addColumn<QRectF>("extents");      // left, bottom, width, height

    // A box of faces 10 x 10 and a triangle beside it.
    QTest::newRow("faces") << "faces.dxf" << repeated(7, "3DFACE") << QRectF(0, 0, 16, 10);
    // A plate, its hole, and dimensions whose blocks reach up to the text "6" at 4.25 and right
    // to the text "R0.75" ending at 7.8 (texts measured 0.8 of their height a character).
    QTest::newRow("dimensions") << "dimensions.dxf" << QStringList{"LWPOLYLINE", "CIRCLE", "DIMENSION", "DIMENSION"}
                                << QRectF(0, 0, 7.8, 4.375);
    // A solid square, a pattern under a clockwise arc (up to y 3, not down to -3), a half
    // ellipse down to -3, and a quadratic spline up to 14.5.
    QTest::newRow("hatches") << "hatches.dxf" << repeated(4, "HATCH") << QRectF(0, -3, 18, 17.5);
    QTest::newRow("leaders") << "leaders.dxf" << QStringList{"CIRCLE", "LEADER", "MTEXT"} << QRectF(-1, -1, 10.2, 4.2);
    // Element lines half a unit either side, mitred at the corners.
    QTest::newRow("multilines") << "mlines.dxf" << repeated(2, "MLINE") << QRectF(0, -0.5, 20.5, 7);
    // A 10 x 5 image, the same clipped to (2.5, 7.25)-(7.5, 9.75), a 4 x 2 wipeout at (12, 0).
    QTest::newRow("images") << "images.dxf" << QStringList{"IMAGE", "IMAGE", "WIPEOUT"} << QRectF(0, 0, 16, 9.75);
    QTest::newRow("2018 drawing") << "r2018.dxf" << QStringList{"LINE", "LINE", "MTEXT", "CIRCLE"} << QRectF(0, 0, 100, 50);
}

// Each kind is kept, measured, and drawn where it is: the preview is not blank inside any
// entity's box.
void TestDrawingKinds::examples()
{
    QFETCH(QString, file);
    QFETCH(QStringList, kinds);
    QFETCH(QRectF, extents);
    CKvDatabase db;
    QVERIFY2(db.LoadFile(example(file)), qPrintable(db.lastError()));
    const OdDbBlockTableRecord* model = modelSpace(db);
    QStringList read;
    for (const auto& e : model->entities())
        read << e->dxfName();
    QCOMPARE(read, kinds);
    const QRectF got = box(model->geomExtents());
    QVERIFY2(near(got, extents, 1e-9), qPrintable(describe(got)));

    const QSize size(300, 300);
    const QImage image = preview(db, size);
    const QTransform toImage = previewTransform(db, size);
    for (const auto& e : model->entities()) {
        const QRect area = toImage.mapRect(box(e->extents())).toAlignedRect().adjusted(-1, -1, 1, 1);
        QVERIFY2(litPixels(image, area) > 0, qPrintable(e->dxfName() + QStringLiteral(" not drawn in ") + describe(area)));
    }
}

void TestDrawingKinds::splines_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<QVector<double>>("knots");
    QTest::addColumn<Points>("control");
    QTest::addColumn<QVector<double>>("weights");
    QTest::addColumn<Points>("fit");
    QTest::addColumn<Points>("through"); // points the curve passes
    QTest::addColumn<double>("radius");     // > 0: every point is that far from the origin

    const Points arch{{0, 0}, {2, 4}, {8, 4}, {10, 0}};
    const QVector<double> clamped{0, 0, 0, 0, 1, 1, 1, 1};
    // A clamped cubic starts and ends at its end points, and is at (5, 3) halfway.
    QTest::newRow("clamped cubic") << 3 << clamped << arch << QVector<double>() << Points() << Points{{0, 0}, {5, 3}, {10, 0}} << 0.0;
    QTest::newRow("knots not ascending: clamped instead") << 3 << QVector<double>{0, 0, 0, 1, 0, 1, 1, 1} << arch << QVector<double>()
                                                          << Points() << Points{{0, 0}, {10, 0}} << 0.0;
    QTest::newRow("too few knots: clamped instead") << 3 << QVector<double>{0, 1} << arch << QVector<double>() << Points()
                                                    << Points{{0, 0}, {10, 0}} << 0.0;
    QTest::newRow("degree above the points: lowered") << 7 << clamped << arch << QVector<double>() << Points()
                                                      << Points{{0, 0}, {10, 0}} << 0.0;
    QTest::newRow("degree 0: straight segments") << 0 << QVector<double>() << arch << QVector<double>() << Points() << arch << 0.0;
    // Weights 1, cos 45, 1 on a square's corner make an exact quarter circle.
    const QVector<double> quarter{1, std::sqrt(0.5), 1};
    QTest::newRow("rational quarter circle") << 2 << QVector<double>{0, 0, 0, 1, 1, 1} << Points{{4, 0}, {4, 4}, {0, 4}} << quarter
                                             << Points() << Points{{4, 0}, {0, 4}} << 4.0;
    QTest::newRow("a weight of 0: weights ignored") << 3 << clamped << arch << QVector<double>{1, 0, 1, 1} << Points()
                                                    << Points{{0, 0}, {5, 3}, {10, 0}} << 0.0;
    QTest::newRow("fit points only") << 3 << QVector<double>() << Points() << QVector<double>()
                                     << Points{{0, 6}, {3, 9}, {3, 9}, {6, 6}, {10, 9}} << Points{{0, 6}, {3, 9}, {6, 6}, {10, 9}} << 0.0;
    QTest::newRow("one control point") << 3 << QVector<double>() << Points{{1, 2}} << QVector<double>() << Points()
                                       << Points{{1, 2}} << 0.0;
}

void TestDrawingKinds::splines()
{
    QFETCH(int, degree);
    QFETCH(QVector<double>, knots);
    QFETCH(Points, control);
    QFETCH(QVector<double>, weights);
    QFETCH(Points, fit);
    QFETCH(Points, through);
    QFETCH(double, radius);
    const auto s = spline(degree, knots, control, weights, fit, false);
    QVERIFY(!s->curve.isEmpty());
    for (const QPointF& p : through)
        QVERIFY2(passesThrough(s->curve, p), qPrintable(QStringLiteral("misses %1, %2").arg(p.x()).arg(p.y())));
    if (!control.isEmpty()) {
        // From the first control point to the last.
        QVERIFY(std::hypot(s->curve.first().x - control.first().x(), s->curve.first().y - control.first().y()) < 1e-9);
        QVERIFY(std::hypot(s->curve.last().x - control.last().x(), s->curve.last().y - control.last().y()) < 1e-9);
    }
    if (radius > 0)
        for (const OdGePoint3d& p : s->curve)
            QVERIFY(std::fabs(std::hypot(p.x, p.y) - radius) < 1e-9);
}

void TestDrawingKinds::splineSizeIsBounded()
{
    // A periodic spline closes on itself.
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("splines.dxf"))));
    auto* periodic = dynamic_cast<OdDbSpline*>(modelSpace(db)->entities()[3].get());
    QVERIFY(periodic && periodic->closed);
    QVERIFY(std::hypot(periodic->curve.first().x - periodic->curve.last().x, periodic->curve.first().y - periodic->curve.last().y) < 1e-9);
    // Uniform and cubic over a square's corners 12 to 18: a quarter of a unit inside it.
    QVERIFY(near(box(periodic->extents()), QRectF(12.25, 6.25, 5.5, 5.5), 1e-9));

    // However many spans a file gives, the curve has a bounded number of points.
    Points many;
    for (int i = 0; i < 100000; ++i)
        many << QPointF(i, i % 2);
    const auto s = spline(3, {}, many, {}, {}, false);
    QVERIFY(s->curve.size() <= 4096 && s->curve.size() > 1000);
    QVERIFY(near(box(s->extents()), QRectF(0, 0, 99999, 1), 1));
}

void TestDrawingKinds::hatchFillsAroundItsHole()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("hatches.dxf"))));
    const QSize size(400, 400);
    const QImage image = preview(db, size);
    const QTransform toImage = previewTransform(db, size);
    auto pixel = [&](double x, double y) { return QColor(image.pixel(toImage.map(QPointF(x, y)).toPoint())); };
    // The solid square (red, by its layer) with a round hole of radius 2 about (5, 5).
    QCOMPARE(pixel(1, 1), QColor(Qt::red));
    QCOMPARE(pixel(8.5, 5), QColor(Qt::red));
    QCOMPARE(pixel(5, 5).rgb(), kBackground);
    QCOMPARE(pixel(6, 6).rgb(), kBackground);
    // A pattern hatch shows its boundary only. Its clockwise arc stores its angles mirrored:
    // read as they stand, the arc would bulge down to -3 instead of up to 3.
    QCOMPARE(pixel(15, 1).rgb(), kBackground);
    QVERIFY(near(box(modelSpace(db)->entities()[1]->extents()), QRectF(12, 0, 6, 3), 1e-9));
}

void TestDrawingKinds::faceHidesItsInvisibleEdges()
{
    CKvDatabase db;
    auto face = std::make_unique<OdDbFace>();
    face->corners[1] = {10, 0, 0};
    face->corners[2] = {10, 10, 0};
    face->corners[3] = {0, 10, 0};
    face->invisibleEdges = 2 | 8; // right and left
    modelSpace(db)->appendEntity(std::move(face));
    const QSize size(100, 100);
    const QImage image = preview(db, size);
    const QTransform toImage = previewTransform(db, size);
    auto litAt = [&](double x, double y) { return litPixels(image, QRect(toImage.map(QPointF(x, y)).toPoint(), QSize(1, 1)).adjusted(-1, -1, 1, 1)) > 0; };
    QVERIFY(litAt(5, 0));
    QVERIFY(litAt(5, 10));
    QVERIFY(!litAt(10, 5));
    QVERIFY(!litAt(0, 5));
}

void TestDrawingKinds::imageFrames_data()
{
    QTest::addColumn<double>("width");  // pixels
    QTest::addColumn<double>("height");
    QTest::addColumn<bool>("clipped");
    QTest::addColumn<Points>("clip");
    QTest::addColumn<Points>("frame"); // drawing coordinates, one unit a pixel, origin (0, 0)

    // Clockwise from the top left corner: pixel (-0.5, -0.5) is that corner.
    const Points whole{{0, 2}, {4, 2}, {4, 0}, {0, 0}};
    QTest::newRow("unclipped: the whole image") << 4.0 << 2.0 << false << Points() << whole;
    QTest::newRow("clip boundary ignored while clipping is off") << 4.0 << 2.0 << false << Points{{0.5, 0.5}, {1.5, 1.5}} << whole;
    // Pixel rows count down from the top: pixels 0 to 1 of the top row are y 1 to 2.
    QTest::newRow("rectangle clip") << 4.0 << 2.0 << true << Points{{-0.5, -0.5}, {1.5, 0.5}}
                                    << Points{{0, 2}, {2, 2}, {2, 1}, {0, 1}};
    QTest::newRow("polygon clip, closing point dropped") << 4.0 << 2.0 << true << Points{{-0.5, 1.5}, {3.5, 1.5}, {1.5, -0.5}, {-0.5, 1.5}}
                                                         << Points{{0, 0}, {4, 0}, {2, 2}};
    QTest::newRow("no size: one pixel") << 0.0 << -3.0 << false << Points() << Points{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
}

void TestDrawingKinds::imageFrames()
{
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(bool, clipped);
    QFETCH(Points, clip);
    QFETCH(Points, frame);
    OdDbRasterImage image;
    image.width = width;
    image.height = height;
    image.clipped = clipped;
    image.clipBoundary = clip;
    Points got;
    for (const OdGePoint3d& p : image.frame())
        got << QPointF(p.x, p.y);
    QCOMPARE(got, frame);
}

void TestDrawingKinds::wipeoutFramesFollowTheSetting()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("images.dxf"))));
    const QSize size(300, 300);
    const QTransform toImage = previewTransform(db, size);
    const QRect wipeout = toImage.mapRect(QRectF(12, 0, 4, 2)).toAlignedRect().adjusted(-1, -1, 1, 1);
    QVERIFY(litPixels(preview(db, size), wipeout) > 0);
    QVERIFY(db.setSysVarInt16(QStringLiteral("WIPEOUTFRAME"), 0));
    QCOMPARE(litPixels(preview(db, size), wipeout), 0);
}

void TestDrawingKinds::dimensionShowsItsBlock()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("dimensions.dxf"))));
    auto* dimension = dynamic_cast<OdDbDimension*>(modelSpace(db)->entities()[2].get());
    QVERIFY(dimension);
    QCOMPARE(dimension->blockId, db.getBlockId(QStringLiteral("*D1")));
    auto* block = dynamic_cast<OdDbBlockTableRecord*>(dimension->blockId.openObject());
    QVERIFY(near(box(dimension->extents()), box(block->geomExtents()), 1e-12));
    // Without its block a dimension shows nothing.
    block->setErased(true);
    QVERIFY(!dimension->extents().isValid());
}

void TestDrawingKinds::embeddedObjectIsNotTheEntitys()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("r2018.dxf"))));
    auto* note = dynamic_cast<OdDbText*>(modelSpace(db)->entities()[2].get());
    QVERIFY(note && note->multiline);
    QCOMPARE(note->plainText(), QStringLiteral("Embedded note"));
    QCOMPARE(note->rotation, 0.0);
    QCOMPARE(note->width, 60.0);
}

QTEST_MAIN(TestDrawingKinds)
#include "tst_drawingkinds.moc"
