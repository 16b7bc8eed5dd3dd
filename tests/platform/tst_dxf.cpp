// Drawing files: reading DXF into the database, extents of nested references, preview images.
#include "DrawingTesting.h"
#include "TestFiles.h"

#include "drawing/KvDatabase.h"
#include "drawing/KvDrawingPainter.h"
#include "drawing/KvDxfReader.h"
#include "kernel/KvSystemServices.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

OdDbBlockTableRecord* record(const CKvDatabase& db, const QString& name)
{
    return dynamic_cast<OdDbBlockTableRecord*>(db.getBlockId(name).openObject());
}

// A database nothing was read into: the two spaces, empty, and layer 0.
bool isNew(const CKvDatabase& db)
{
    return db.blockTable().size() == 2 && db.blockTable()[0]->entities().empty() && db.blockTable()[1]->entities().empty()
           && db.layers().size() == 1 && db.fileName().isEmpty();
}

QImage render(CKvDatabase& db, const OdDbObjectId& id, const QSize& size)
{
    CKvPreviewRenderer renderer;
    return renderer.Render(&db, {id}, size);
}

template <typename T> std::unique_ptr<T> entity(const QString& layer = QStringLiteral("0"), int color = 256)
{
    auto e = std::make_unique<T>();
    e->layer = layer;
    e->colorIndex = color;
    return e;
}

std::unique_ptr<OdDbLine> line(double x0, double y0, double x1, double y1, int color = 256)
{
    auto e = entity<OdDbLine>(QStringLiteral("0"), color);
    e->start = {x0, y0, 0};
    e->end = {x1, y1, 0};
    return e;
}

std::unique_ptr<OdDbBlockReference> reference(const OdDbObjectId& block, double x, double y, double sx = 1, double sy = 1,
                                              double degrees = 0)
{
    auto e = entity<OdDbBlockReference>();
    e->blockId = block;
    e->position = {x, y, 0};
    e->scaleX = sx;
    e->scaleY = sy;
    e->rotation = degrees * M_PI / 180;
    return e;
}

const QRgb kBackground = KvDrawingPainter::defaultBackground().rgb();

} // namespace

class TestDxf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void exampleBlockTable_data();
    void exampleBlockTable();
    void exampleLayers();
    void exampleEntities();
    void exampleExtents_data();
    void exampleExtents();
    void erasedAndAnonymousBlocks();

    void contentDecides_data();
    void contentDecides();
    void damagedLoadsNothing_data();
    void damagedLoadsNothing();
    void whatIsNotUsedIsSkipped_data();
    void whatIsNotUsedIsSkipped();
    void distrustedCountsAndLongLines();
    void reloadReplacesAndFailureClears();

    void referenceExtents_data();
    void referenceExtents();
    void selfAndDeepNesting();

    void renderSizes_data();
    void renderSizes();
    void renderFitsTheDrawing_data();
    void renderFitsTheDrawing();
    void renderColours_data();
    void renderColours();
    void fitTransform_data();
    void fitTransform();
    void painterForViews();

private:
    QTemporaryDir m_dir;
    QString write(const QString& name, const QByteArray& data);
};

void TestDxf::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFile::exists(example(QStringLiteral("blocks.dxf"))), "examples/drawings/make_drawings.py writes the samples");
}

QString TestDxf::write(const QString& name, const QByteArray& data)
{
    return writeBytes(m_dir.filePath(name), data) ? m_dir.filePath(name) : QString();
}

// --- The sample drawings

void TestDxf::exampleBlockTable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("names");     // table order
    QTest::addColumn<QList<int>>("counts");     // entities per record

    QTest::newRow("breakline") << "breakline.dxf" << QStringList{"*Model_Space", "*Paper_Space"} << QList<int>{1, 0};
    QTest::newRow("titleblock") << "titleblock.dxf" << QStringList{"*Model_Space", "*Paper_Space", "TITLEBLOCK"}
                                << QList<int>{1, 0, 11};
    QTest::newRow("blocks") << "blocks.dxf"
                            << QStringList{"*Model_Space", "*Paper_Space", "DOOR", "WINDOW", "ROOM", "*U1", "SAMPLER", "*Paper_Space0"}
                            << QList<int>{10, 1, 2, 2, 4, 3, 11, 1};
    QTest::newRow("dimensions and their blocks") << "dimensions.dxf" << QStringList{"*Model_Space", "*Paper_Space", "*D1", "*D2"}
                                                 << QList<int>{4, 0, 6, 4};
    // The 3DSOLID is not kept; everything around the geometry is skipped.
    QTest::newRow("2018 drawing") << "r2018.dxf" << QStringList{"*Model_Space", "*Paper_Space"} << QList<int>{4, 0};
}

void TestDxf::exampleBlockTable()
{
    QFETCH(QString, file);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, counts);
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(file)));
    QCOMPARE(db.fileName(), example(file));
    QStringList read;
    QList<int> sizes;
    for (const auto& block : db.blockTable()) {
        read << block->name;
        sizes << int(block->entities().size());
    }
    QCOMPARE(read, names);
    QCOMPARE(sizes, counts);
}

void TestDxf::exampleLayers()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("blocks.dxf"))));
    QStringList names;
    for (const KvLayer& layer : db.layers())
        names << layer.name;
    // The name beyond ASCII is stored in windows-1252 and reads back as typed.
    QCOMPARE(names, (QStringList{"0", "WALLS", "DOORS", "TEXT", "HIDDEN", "FROZEN", QString::fromUtf8("Grün")}));
    QCOMPARE(db.layerColor(QStringLiteral("walls")), 1);
    QCOMPARE(db.layerColor(QStringLiteral("DOORS")), 3);
    QCOMPARE(db.layerColor(QStringLiteral("0")), 7);
    QCOMPARE(db.layers()[4].colorIndex, 4); // stored as -4: off, colour 4
    QVERIFY(db.layers()[4].off && !db.layers()[4].frozen);
    QVERIFY(db.layers()[5].frozen && !db.layers()[5].off);
    QCOMPARE(db.layers()[6].colorIndex, 30);
}

void TestDxf::exampleEntities()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("blocks.dxf"))));
    const OdDbBlockTableRecord* sampler = record(db, QStringLiteral("sampler"));
    QVERIFY(sampler);
    QStringList kinds;
    for (const auto& e : sampler->entities())
        kinds << e->dxfName();
    QCOMPARE(kinds, (QStringList{"LINE", "CIRCLE", "ARC", "ELLIPSE", "LWPOLYLINE", "POLYLINE", "TEXT", "MTEXT", "POINT", "SOLID", "INSERT"}));
    const auto& e = sampler->entities();
    QCOMPARE(e[1]->colorIndex, 1);
    QCOMPARE(e[1]->ownerId, sampler->objectId());

    auto* arc = dynamic_cast<OdDbArc*>(e[2].get());
    QVERIFY(arc && std::fabs(arc->endAngle - M_PI) < 1e-9 && arc->startAngle == 0);
    auto* ellipse = dynamic_cast<OdDbEllipse*>(e[3].get());
    QVERIFY(ellipse && ellipse->ratio == 0.5 && ellipse->majorAxis.x == 1.5);
    // Its end parameter is written rounded past a full turn; it is still a whole ellipse.
    QVERIFY(near(box(ellipse->extents()), QRectF(6.5, 1.25, 3, 1.5)));
    auto* lw = dynamic_cast<OdDbPolyline*>(e[4].get());
    QVERIFY(lw && lw->lightweight && !lw->closed);
    QCOMPARE(lw->vertices.size(), 3);
    QCOMPARE(lw->vertices[0].bulge, 1.0);
    auto* old = dynamic_cast<OdDbPolyline*>(e[5].get());
    QVERIFY(old && !old->lightweight && old->closed);
    QCOMPARE(old->vertices.size(), 3);
    auto* text = dynamic_cast<OdDbText*>(e[6].get());
    QVERIFY(text && !text->multiline);
    QCOMPARE(text->plainText(), QString::fromUtf8("Text °"));
    auto* mtext = dynamic_cast<OdDbText*>(e[7].get());
    QVERIFY(mtext && mtext->multiline);
    QCOMPARE(mtext->plainText(), QStringLiteral("Multi\nline"));
    auto* ref = dynamic_cast<OdDbBlockReference*>(e[10].get());
    QVERIFY(ref);
    QCOMPARE(ref->blockId, db.getBlockId(QStringLiteral("DOOR")));
    QCOMPARE(ref->scaleX, 0.5);

}

void TestDxf::exampleExtents_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QRectF>("expected"); // left, bottom, width, height

    QTest::newRow("breakline") << "breakline.dxf" << "*Model_Space" << QRectF(0, -0.5, 4, 1);
    QTest::newRow("window, base point in the middle") << "blocks.dxf" << "WINDOW" << QRectF(0, 0, 2, 0.5);
    QTest::newRow("room, nesting door and window") << "blocks.dxf" << "ROOM" << QRectF(0, 0, 6, 4.25);
    QTest::newRow("sampler, every kind") << "blocks.dxf" << "SAMPLER" << QRectF(0, 0, 10, 8);
    QTest::newRow("model space") << "blocks.dxf" << "*Model_Space" << QRectF(0, -8, 50, 26);
    QTest::newRow("paper space") << "blocks.dxf" << "*Paper_Space" << QRectF(0, 0, 297, 210);
}

void TestDxf::exampleExtents()
{
    QFETCH(QString, file);
    QFETCH(QString, block);
    QFETCH(QRectF, expected);
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(file)));
    const OdDbBlockTableRecord* r = record(db, block);
    QVERIFY(r);
    const QRectF got = box(r->geomExtents());
    QVERIFY2(near(got, expected, 1e-9), qPrintable(QStringLiteral("%1 %2 %3 %4").arg(got.left()).arg(got.top()).arg(got.width()).arg(got.height())));
}

void TestDxf::erasedAndAnonymousBlocks()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("blocks.dxf"))));
    QVERIFY(record(db, QStringLiteral("*U1"))->isAnonymous());
    QCOMPARE(record(db, QStringLiteral("*U1"))->flags, 1);
    QVERIFY(record(db, QStringLiteral("*Paper_Space0"))->isLayout());
    QVERIFY(!record(db, QStringLiteral("*Paper_Space0"))->isAnonymous());

    // Drawing files know no erased records; the host erases them while a drawing is open.
    record(db, QStringLiteral("WINDOW"))->setErased(true);
    QVERIFY(db.getBlockId(QStringLiteral("WINDOW")).isNull());
    QStringList named;
    for (const auto& block : db.blockTable())
        if (!block->isErased() && !block->name.startsWith(QLatin1Char('*')))
            named << block->name;
    QCOMPARE(named, (QStringList{"DOOR", "ROOM", "SAMPLER"}));
    // The room no longer shows its window: the wall's top edge at 4 bounds it.
    QVERIFY(near(box(record(db, QStringLiteral("ROOM"))->geomExtents()), QRectF(0, 0, 6, 4)));
}

// --- Recognising DXF and refusing anything else

void TestDxf::contentDecides_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("refusal"); // empty: loads

    const QByteArray minimal = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n0\nENDSEC\n0\nEOF\n";
    const QString notDxf = QStringLiteral("it is not a DXF drawing");
    QTest::newRow("DXF saved under a drawing name") << "symbol.dwg" << readBytes(example(QStringLiteral("breakline_symbol.dwg"))) << QString();
    QTest::newRow("no extension at all") << "symbol" << minimal << QString();
    QTest::newRow("blank lines, comment and byte-order mark first") << "lead.dxf"
                                                                    << QByteArray("\xEF\xBB\xBF\n  \n999\nmade by hand\n" + minimal) << QString();
    QTest::newRow("CR LF lines and padded codes") << "crlf.dxf" << QByteArray(minimal).replace("\n", "\r\n").replace("\r\n0\r\n", "\r\n  0\r\n") << QString();
    QTest::newRow("text file named .dxf") << "notes.dxf" << QByteArray("These are my notes.\nSECTION\n") << notDxf;
    QTest::newRow("empty") << "empty.dxf" << QByteArray() << notDxf;
    QTest::newRow("binary DXF") << "binary.dxf" << QByteArray("Some CAD Binary DXF\r\n\x1a\0\0\0SECTION", 31)
                                << QStringLiteral("it is binary DXF; only ASCII DXF is read");
    QTest::newRow("DWG") << "real.dwg" << QByteArray("AC1032\0\0\0\0\0\x0f\x01", 13)
                         << QStringLiteral("it is a DWG file; only drawings saved as DXF are read");
    QTest::newRow("first group not a section") << "entities.dxf" << QByteArray("0\nLINE\n0\nEOF\n") << notDxf;
}

void TestDxf::contentDecides()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, data);
    QFETCH(QString, refusal);
    const QString path = write(name, data);
    QVERIFY(!path.isEmpty());
    CKvDatabase db;
    QCOMPARE(db.LoadFile(path), refusal.isEmpty());
    if (refusal.isEmpty()) {
        QVERIFY(!record(db, QStringLiteral("*Model_Space"))->entities().empty());
        QVERIFY(db.lastError().isEmpty());
        return;
    }
    QVERIFY(isNew(db));
    QCOMPARE(db.lastError(), QStringLiteral("Cannot read the drawing \"%1\": %2.").arg(path, refusal));
}

void TestDxf::damagedLoadsNothing_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("line"); // where the damage is reported

    // Lines 1 to 4 are the head; a LINE of 12 lines follows.
    const QByteArray head = "0\nSECTION\n2\nENTITIES\n";
    const QByteArray tail = "0\nENDSEC\n0\nEOF\n";
    const QByteArray line = "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n";
    QTest::newRow("no end of file") << head + line + "0\nENDSEC\n" << 18;
    QTest::newRow("code is not a number") << head + "0\nLINE\nten\n0\n" + tail << 7;
    QTest::newRow("coordinate is not a number") << head + "0\nLINE\n10\n1.5.3\n" + tail << 8;
    QTest::newRow("coordinate is infinite") << head + "0\nLINE\n10\ninf\n" + tail << 8;
    QTest::newRow("coordinate out of range") << head + "0\nLINE\n10\n1e999\n" + tail << 8;
    QTest::newRow("section without name") << QByteArray("0\nSECTION\n0\nENDSEC\n0\nEOF\n") << 3;
    QTest::newRow("nested section") << head + "0\nSECTION\n2\nBLOCKS\n" + tail << 5;
    QTest::newRow("block inside block") << "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n0\nBLOCK\n2\nB\n0\nENDBLK\n0\nENDBLK\n" + tail << 9;
    QTest::newRow("block never ended") << "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nA\n" + line + tail << 21;
    QTest::newRow("block without name") << "0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n70\n0\n" + line + "0\nENDBLK\n" + tail << 9;
    QTest::newRow("entity outside any block") << "0\nSECTION\n2\nBLOCKS\n" + line + tail << 5;
    QTest::newRow("zero byte inside") << head + QByteArray("0\nTEXT\n1\nab\0cd\n", 15) + tail << 8;
    QTest::newRow("text after the last section") << head + tail.left(9) + "0\nLINE\n0\nEOF\n" << 7;
}

void TestDxf::damagedLoadsNothing()
{
    QFETCH(QByteArray, data);
    QFETCH(int, line);
    const QString path = write(QStringLiteral("damaged.dxf"), data);
    CKvDatabase db;
    QVERIFY(!db.LoadFile(path));
    QVERIFY(isNew(db));
    // The user learns which file and where.
    const QString expected = QStringLiteral("Cannot read the drawing \"%1\": it is damaged at line %2 (").arg(path).arg(line);
    QVERIFY2(db.lastError().startsWith(expected), qPrintable(db.lastError()));
}

void TestDxf::whatIsNotUsedIsSkipped_data()
{
    QTest::addColumn<QByteArray>("data");

    const QByteArray head = "0\nSECTION\n2\nENTITIES\n";
    const QByteArray tail = "0\nENDSEC\n0\nEOF\n";
    const QByteArray line = "0\nLINE\n8\n0\n10\n0\n20\n0\n11\n1\n21\n1\n";
    QTest::newRow("codes of no range") << head + "0\nLINE\n85\nx\n1234\n1.5.3\n-3\n\n10\n0\n20\n0\n11\n1\n21\n1\n" + tail;
    QTest::newRow("an unknown section first") << "0\nSECTION\n2\nACDSDATA\n70\n2\n0\nACDSRECORD\n101\nACDSRECORD\n94\n16\n"
                                                 "310\n0102\n0\nENDSEC\n" + head + line + tail;
    QTest::newRow("an entity of no known kind") << head + "0\nACAD_PROXY_ENTITY\n90\nbinary?\n" + line + tail;
    QTest::newRow("a header setting that is no number") << "0\nSECTION\n2\nHEADER\n9\n$LUPREC\n70\nfour\n0\nENDSEC\n" + head + line + tail;
}

// Files written by other programs hold more than the platform uses; none of it refuses a file.
void TestDxf::whatIsNotUsedIsSkipped()
{
    QFETCH(QByteArray, data);
    CKvDatabase db;
    QString reason;
    QVERIFY2(KvDxfReader::readData(data, db, &reason), qPrintable(reason));
    const auto& model = record(db, QStringLiteral("*Model_Space"))->entities();
    QCOMPARE(int(model.size()), 1);
    QVERIFY(near(box(model.front()->extents()), QRectF(0, 0, 1, 1)));
}

void TestDxf::distrustedCountsAndLongLines()
{
    // Counts in the file are not believed, and long values are read whole.
    const QByteArray longText(5000, 'x');
    const QByteArray data = "0\nSECTION\n2\nENTITIES\n"
                            "0\nLWPOLYLINE\n42\n0.5\n90\n1000000000\n10\n0\n20\n0\n42\n1\n10\n2\n20\n0\n90\n1\n10\n4\n20\n0\n"
                            "0\nLWPOLYLINE\n90\n5\n70\n1\n"
                            "0\nTEXT\n10\n0\n20\n0\n40\n1\n1\n" + longText + "\n"
                            "0\nLINE\n10\n1e19\n20\n0\n11\n0\n21\n0\n"
                            "0\nINSERT\n2\nNOWHERE\n"
                            "0\nENDSEC\n0\nEOF\n";
    CKvDatabase db;
    QVERIFY(KvDxfReader::readData(data, db));
    const auto& model = record(db, QStringLiteral("*Model_Space"))->entities();
    // The polyline without vertices and the line far beyond any drawing are left out.
    QCOMPARE(int(model.size()), 3);
    auto* polyline = dynamic_cast<OdDbPolyline*>(model[0].get());
    QVERIFY(polyline);
    QCOMPARE(polyline->vertices.size(), 3);
    QCOMPARE(polyline->vertices[0].bulge, 1.0);
    auto* text = dynamic_cast<OdDbText*>(model[1].get());
    QVERIFY(text && text->text == QString(longText));
    auto* ref = dynamic_cast<OdDbBlockReference*>(model[2].get());
    QVERIFY(ref && ref->blockId.isNull());
    QVERIFY(ref->extents().isValid() == false);
}

void TestDxf::reloadReplacesAndFailureClears()
{
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("blocks.dxf"))));
    QVERIFY(db.LoadFile(example(QStringLiteral("breakline.dxf"))));
    QCOMPARE(int(db.blockTable().size()), 2);
    QCOMPARE(db.layers().size(), 2);
    const QString missing = m_dir.filePath(QStringLiteral("missing.dxf"));
    QVERIFY(!db.LoadFile(missing));
    QVERIFY(isNew(db));
    QCOMPARE(db.lastError(), QStringLiteral("Cannot read the drawing \"%1\": the file does not exist.").arg(missing));
    QVERIFY(!db.LoadFile(m_dir.path()));
    QVERIFY(db.lastError().endsWith(QLatin1String(": it is a folder.")));
    QVERIFY(isNew(db));

    // The settings of one drawing do not outlive it.
    QVERIFY(db.LoadFile(example(QStringLiteral("r2018.dxf"))));
    QCOMPARE(db.currentLayer, QStringLiteral("Walls"));
    QVERIFY(db.LoadFile(example(QStringLiteral("breakline.dxf"))));
    QCOMPARE(db.currentLayer, QStringLiteral("0"));
    QCOMPARE(db.linearPrecision, 4);
    QVERIFY(!db.hasSysVar(QStringLiteral("FINGERPRINTGUID")));
}

// --- Extents of references

void TestDxf::referenceExtents_data()
{
    QTest::addColumn<double>("scaleX");
    QTest::addColumn<double>("scaleY");
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QRectF>("expected");

    // The inner block holds a circle of radius 1 at (1, 0) and a line from (0,0) to (2,0);
    // the outer block inserts it at (10, 0) as given; model space inserts the outer one at
    // (100, 100) turned a quarter. Curves stay exact under rotation and unequal scales.
    QTest::newRow("plain") << 1.0 << 1.0 << 0.0 << QRectF(99, 110, 2, 2);
    QTest::newRow("mirrored") << -1.0 << 1.0 << 0.0 << QRectF(99, 108, 2, 2);
    QTest::newRow("rotated 45, circle stays round") << 1.0 << 1.0 << 45.0
                                                    << QRectF(100 - 1 - std::sqrt(0.5), 110 - 1 + std::sqrt(0.5), 2, 2);
    QTest::newRow("unequal scales then rotated 90") << 2.0 << 0.5 << 90.0 << QRectF(96, 109.5, 4, 1);
}

void TestDxf::referenceExtents()
{
    QFETCH(double, scaleX);
    QFETCH(double, scaleY);
    QFETCH(double, degrees);
    QFETCH(QRectF, expected);
    CKvDatabase db;
    const OdDbObjectId innerId = db.addBlock(QStringLiteral("INNER"));
    auto* inner = dynamic_cast<OdDbBlockTableRecord*>(innerId.openObject());
    auto circle = entity<OdDbCircle>();
    circle->center = {1, 0, 0};
    circle->radius = 1;
    inner->appendEntity(std::move(circle));
    inner->appendEntity(line(0, 0, 2, 0));
    const OdDbObjectId outerId = db.addBlock(QStringLiteral("OUTER"));
    auto* outer = dynamic_cast<OdDbBlockTableRecord*>(outerId.openObject());
    outer->appendEntity(reference(innerId, 10, 0, scaleX, scaleY, degrees));
    auto* model = dynamic_cast<OdDbBlockTableRecord*>(db.getModelSpaceId().openObject());
    model->appendEntity(reference(outerId, 100, 100, 1, 1, 90));
    const QRectF got = box(model->geomExtents());
    QVERIFY2(near(got, expected, 1e-9), qPrintable(QStringLiteral("%1 %2 %3 %4").arg(got.left()).arg(got.top()).arg(got.width()).arg(got.height())));
}

void TestDxf::selfAndDeepNesting()
{
    CKvDatabase db;
    // A block inserting itself adds its own entities once.
    const OdDbObjectId selfId = db.addBlock(QStringLiteral("SELF"));
    auto* self = dynamic_cast<OdDbBlockTableRecord*>(selfId.openObject());
    self->appendEntity(line(0, 0, 1, 1));
    self->appendEntity(reference(selfId, 5, 5, 2, 2));
    QVERIFY(near(box(self->geomExtents()), QRectF(0, 0, 1, 1)));
    QVERIFY(!drawnBox(render(db, selfId, QSize(40, 40)), kBackground).isEmpty());

    // Thirty levels, each inserting the one below twice, one unit higher: a billion lines if
    // followed naively.
    OdDbObjectId below = db.addBlock(QStringLiteral("L0"));
    dynamic_cast<OdDbBlockTableRecord*>(below.openObject())->appendEntity(line(0, 0, 1, 0));
    for (int level = 1; level <= 30; ++level) {
        const OdDbObjectId id = db.addBlock(QStringLiteral("L%1").arg(level));
        auto* block = dynamic_cast<OdDbBlockTableRecord*>(id.openObject());
        block->appendEntity(reference(below, 0, 0));
        block->appendEntity(reference(below, 0, 1));
        below = id;
    }
    auto* top = dynamic_cast<OdDbBlockTableRecord*>(below.openObject());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(near(box(top->geomExtents()), QRectF(0, 0, 1, 30)));
    const QImage image = render(db, below, QSize(64, 64));
    QVERIFY(!drawnBox(image, kBackground).isEmpty());
    QVERIFY2(timer.elapsed() < 20000, "nesting is bounded");
}

// --- Preview images

void TestDxf::renderSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("image");
    QTest::newRow("wide label") << QSize(321, 77) << true;
    QTest::newRow("one pixel") << QSize(1, 1) << true;
    QTest::newRow("no width") << QSize(0, 100) << false;
    QTest::newRow("negative") << QSize(-5, -5) << false;
    QTest::newRow("absurd") << QSize(100000, 100000) << false;
}

void TestDxf::renderSizes()
{
    QFETCH(QSize, size);
    QFETCH(bool, image);
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("titleblock.dxf"))));
    const QImage result = render(db, db.getModelSpaceId(), size);
    QCOMPARE(!result.isNull(), image);
    if (image)
        QCOMPARE(result.size(), size);
    CKvPreviewRenderer renderer;
    QVERIFY(renderer.Render(nullptr, {db.getModelSpaceId()}, QSize(10, 10)).isNull());
}

void TestDxf::renderFitsTheDrawing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("block");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<double>("aspect"); // width / height of the drawing, 0 for an empty record

    QTest::newRow("break line, tall image") << "breakline.dxf" << "*Model_Space" << QSize(200, 400) << 4.0;
    QTest::newRow("title block") << "titleblock.dxf" << "*Model_Space" << QSize(400, 300) << 180.0 / 50;
    QTest::newRow("empty paper space") << "titleblock.dxf" << "*Paper_Space" << QSize(120, 80) << 0.0;
}

void TestDxf::renderFitsTheDrawing()
{
    QFETCH(QString, file);
    QFETCH(QString, block);
    QFETCH(QSize, size);
    QFETCH(double, aspect);
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(file)));
    const QImage image = render(db, db.getBlockId(block), size);
    QCOMPARE(image.size(), size);
    const QRect drawn = drawnBox(image, kBackground);
    if (aspect == 0) {
        QVERIFY(drawn.isEmpty());
        return;
    }
    QVERIFY(!drawn.isEmpty());
    // Fitted with a small margin on the tighter side, centred, proportions kept.
    const double ratio = double(drawn.width()) / drawn.height();
    QVERIFY2(std::fabs(ratio - aspect) / aspect < 0.1, qPrintable(QStringLiteral("drawn %1 x %2").arg(drawn.width()).arg(drawn.height())));
    const bool wide = aspect > double(size.width()) / size.height();
    const int span = wide ? drawn.width() : drawn.height(), room = wide ? size.width() : size.height();
    QVERIFY(span > room * 0.85 && span < room);
    QVERIFY(std::abs(drawn.center().x() - size.width() / 2) <= 2 && std::abs(drawn.center().y() - size.height() / 2) <= 2);
}

void TestDxf::renderColours_data()
{
    QTest::addColumn<int>("solidColor");
    QTest::addColumn<int>("insertColor");
    QTest::addColumn<QString>("layer"); // of the solid inside the block
    QTest::addColumn<QColor>("expected");

    QTest::newRow("explicit red") << 1 << 256 << "0" << QColor(255, 0, 0);
    QTest::newRow("by layer: the layer's green") << 256 << 256 << "GREEN" << QColor(0, 255, 0);
    QTest::newRow("layer 0 takes the reference's layer") << 256 << 256 << "0" << QColor(0, 0, 255);
    QTest::newRow("by block: the reference's yellow") << 0 << 2 << "GREEN" << QColor(255, 255, 0);
    QTest::newRow("colour 7 shows white on dark") << 7 << 1 << "GREEN" << QColor(255, 255, 255);
    QTest::newRow("off layer not drawn") << 3 << 256 << "OFF" << QColor();
}

void TestDxf::renderColours()
{
    QFETCH(int, solidColor);
    QFETCH(int, insertColor);
    QFETCH(QString, layer);
    QFETCH(QColor, expected);
    CKvDatabase db;
    db.layers().append(KvLayer{QStringLiteral("GREEN"), 3});
    db.layers().append(KvLayer{QStringLiteral("BLUE"), 5});
    KvLayer off{QStringLiteral("OFF"), 3};
    off.off = true;
    db.layers().append(off);
    const OdDbObjectId blockId = db.addBlock(QStringLiteral("B"));
    auto* block = dynamic_cast<OdDbBlockTableRecord*>(blockId.openObject());
    // A filled square: its middle has the full colour whatever the antialiasing does to edges.
    auto square = entity<OdDbSolid>(layer, solidColor);
    square->corners[1] = {1, 0, 0};
    square->corners[2] = {0, 1, 0};
    square->corners[3] = {1, 1, 0};
    block->appendEntity(std::move(square));
    auto* model = dynamic_cast<OdDbBlockTableRecord*>(db.getModelSpaceId().openObject());
    auto ref = reference(blockId, 0, 0);
    ref->layer = QStringLiteral("BLUE");
    ref->colorIndex = insertColor;
    model->appendEntity(std::move(ref));
    const QImage image = render(db, db.getModelSpaceId(), QSize(60, 60));
    const QRgb centre = image.pixel(30, 30);
    if (!expected.isValid())
        QCOMPARE(centre, kBackground);
    else
        QCOMPARE(QColor(centre), expected);
}

void TestDxf::fitTransform_data()
{
    QTest::addColumn<QRectF>("extents"); // left, bottom, width, height; width < 0: empty box
    QTest::addColumn<QPointF>("world");
    QTest::addColumn<QPointF>("device");

    // 100 x 50 pixels with a margin of 10: the room is 80 x 30.
    QTest::newRow("wide box fills the width") << QRectF(0, 0, 8, 1) << QPointF(0, 0) << QPointF(10, 30);
    QTest::newRow("tall box fills the height, y up") << QRectF(0, 0, 1, 3) << QPointF(0, 3) << QPointF(45, 10);
    QTest::newRow("a point sits in the middle") << QRectF(5, 5, 0, 0) << QPointF(5, 5) << QPointF(50, 25);
    QTest::newRow("empty box: identity") << QRectF(0, 0, -1, -1) << QPointF(3, 4) << QPointF(3, 4);
}

void TestDxf::fitTransform()
{
    QFETCH(QRectF, extents);
    QFETCH(QPointF, world);
    QFETCH(QPointF, device);
    OdGeExtents3d e;
    if (extents.width() >= 0) {
        e.addPoint({extents.left(), extents.top(), 0});
        e.addPoint({extents.right(), extents.bottom(), 0});
    }
    const QTransform t = KvDrawingPainter::fitTransform(e, QRectF(0, 0, 100, 50), 10);
    const QPointF got = t.map(world);
    QVERIFY2(QLineF(got, device).length() < 1e-9, qPrintable(QStringLiteral("%1, %2").arg(got.x()).arg(got.y())));
}

void TestDxf::painterForViews()
{
    CKvDatabase db;
    auto* model = dynamic_cast<OdDbBlockTableRecord*>(db.getModelSpaceId().openObject());
    model->appendEntity(line(0, 0, 10, 0));
    model->appendEntity(line(0, 1, 10, 1));
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0, 50); // a view's own offset applies after the drawing's transform
    KvDrawingPainter drawing(&db);
    // Zoomed in 8 times: the lines stay one pixel wide.
    QCOMPARE(drawing.paint(painter, *model, QTransform(8, 0, 0, -8, 10, 0)), qint64(2));
    drawing.setEntityBudget(1);
    QCOMPARE(drawing.paint(painter, *model, QTransform(8, 0, 0, -8, 10, 0)), qint64(1));
    QCOMPARE(painter.worldTransform(), QTransform::fromTranslate(0, 50));
    painter.end();
    // From (10, 42) to (90, 50), give or take the pixel antialiasing touches.
    const QRect drawn = drawnBox(image, kBackground);
    QVERIFY(QRect(9, 41, 83, 11).contains(drawn) && drawn.contains(QRect(11, 43, 79, 7)));
    int lit = 0;
    for (int y = 0; y < 100; ++y)
        lit += image.pixel(50, y) != kBackground;
    QVERIFY2(lit <= 4, qPrintable(QString::number(lit)));
}

QTEST_MAIN(TestDxf)
#include "tst_dxf.moc"
