// Drawing settings: what a drawing file's header sets, what a setting accepts, that each
// drawing holds its own, and getvar / setvar on them from LISP.
#include "DrawingTesting.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "drawing/KvDatabase.h"
#include "drawing/KvDxfReader.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QApplication>
#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(KvVariable)

namespace {

KvVariable setting(const CKvDatabase& db, const QString& name)
{
    KvVariable v = KvVariable::string(QStringLiteral("<none>"));
    db.getSysVar(name, &v);
    return v;
}

char* describe(const KvVariable& v)
{
    switch (v.type) {
    case KvVariable::Type::Int16: return QTest::toString(QStringLiteral("int16 %1").arg(v.integer));
    case KvVariable::Type::Int32: return QTest::toString(QStringLiteral("int32 %1").arg(v.integer));
    case KvVariable::Type::Real: return QTest::toString(QStringLiteral("real %1").arg(v.real));
    case KvVariable::Type::String: return QTest::toString(QStringLiteral("string \"%1\"").arg(v.text));
    case KvVariable::Type::Point:
        return QTest::toString(QStringLiteral("point %1,%2,%3").arg(v.point[0]).arg(v.point[1]).arg(v.point[2]));
    }
    return QTest::toString(QString());
}

QString lastOutcome(KvLispEngine& engine, const QString& source)
{
    const auto results = engine.evaluate(source);
    if (results.isEmpty())
        return QString();
    const KvLispEngine::Result& r = results.last();
    return r.ok ? r.printed : QStringLiteral("error: ") + r.error;
}

} // namespace

namespace QTest {
template <> char* toString(const KvVariable& v)
{
    return describe(v);
}
} // namespace QTest

class TestDrawingSettings : public QObject
{
    Q_OBJECT

private slots:
    void fromTheHeader_data();
    void fromTheHeader();
    void headerValuesThatDoNotFit_data();
    void headerValuesThatDoNotFit();
    void whatASettingAccepts_data();
    void whatASettingAccepts();
    void eachDrawingHoldsItsOwn();
    void getvarAndSetvar_data();
    void getvarAndSetvar();
};

void TestDrawingSettings::fromTheHeader_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<KvVariable>("value");

    // The layer as the layer table spells it; $CLAYER said "WALLS".
    QTest::newRow("current layer") << "CLAYER" << KvVariable::string(QStringLiteral("Walls"));
    QTest::newRow("precision") << "LUPREC" << KvVariable::int16(2);
    QTest::newRow("a real") << "LTSCALE" << KvVariable::number(10);
    QTest::newRow("a point given in 2D") << "LIMMAX" << KvVariable::point3d(297, 210, 0);
    QTest::newRow("a flag (290) the defaults lack") << "PSTYLEMODE" << KvVariable::int16(1);
    QTest::newRow("a text the defaults lack") << "FINGERPRINTGUID" << KvVariable::string(QStringLiteral("{8E3A9A41-2B7B-4C5C-9E2D-1F0A6B1C2D3E}"));
    QTest::newRow("the file's version") << "ACADVER" << KvVariable::string(QStringLiteral("AC1032"));
    QTest::newRow("not in the file: the default") << "WIPEOUTFRAME" << KvVariable::int16(1);
}

void TestDrawingSettings::fromTheHeader()
{
    QFETCH(QString, name);
    QFETCH(KvVariable, value);
    CKvDatabase db;
    QVERIFY(db.LoadFile(example(QStringLiteral("r2018.dxf"))));
    QCOMPARE(setting(db, name), value);
    // Handles are not settings.
    QVERIFY(!db.hasSysVar(QStringLiteral("HANDSEED")));
}

void TestDrawingSettings::headerValuesThatDoNotFit_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QString>("name");
    QTest::addColumn<KvVariable>("value");

    QTest::newRow("a layer the drawing lacks") << QByteArray("9\n$CLAYER\n8\nNOWHERE\n") << "CLAYER" << KvVariable::string(QStringLiteral("0"));
    QTest::newRow("precision out of range") << QByteArray("9\n$LUPREC\n70\n99\n") << "LUPREC" << KvVariable::int16(4);
    QTest::newRow("a real for a 16-bit setting") << QByteArray("9\n$PDMODE\n40\n2.5\n") << "PDMODE" << KvVariable::int16(0);
    QTest::newRow("beyond 16 bits") << QByteArray("9\n$KVBIG\n70\n70000\n") << "KVBIG" << KvVariable::string(QStringLiteral("<none>"));
    QTest::newRow("a setting without a value") << QByteArray("9\n$TEXTSIZE\n9\n$LTSCALE\n40\n2\n") << "TEXTSIZE" << KvVariable::number(0.2);
    QTest::newRow("given twice: the first type stays") << QByteArray("9\n$KVTWICE\n70\n1\n9\n$KVTWICE\n1\ntext\n") << "KVTWICE"
                                                       << KvVariable::int16(1);
}

// The drawing loads; the setting keeps what fits it.
void TestDrawingSettings::headerValuesThatDoNotFit()
{
    QFETCH(QByteArray, header);
    QFETCH(QString, name);
    QFETCH(KvVariable, value);
    const QByteArray data = "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n";
    CKvDatabase db;
    QString reason;
    QVERIFY2(KvDxfReader::readData(data, db, &reason), qPrintable(reason));
    QCOMPARE(setting(db, name), value);
}

void TestDrawingSettings::whatASettingAccepts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<KvVariable>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<KvVariable>("held"); // afterwards

    const KvVariable four = KvVariable::int16(4);
    QTest::newRow("precision in range") << "luprec" << KvVariable::int16(8) << true << KvVariable::int16(8);
    QTest::newRow("precision above 8") << "LUPREC" << KvVariable::int16(9) << false << four;
    QTest::newRow("precision as a real") << "LUPREC" << KvVariable::number(2) << false << four;
    QTest::newRow("a 32-bit integer that fits") << "LUPREC" << KvVariable::int32(3) << true << KvVariable::int16(3);
    QTest::newRow("a text for a real") << "TEXTSIZE" << KvVariable::string(QStringLiteral("5")) << false << KvVariable::number(0.2);
    QTest::newRow("not a number") << "TEXTSIZE" << KvVariable::number(std::nan("")) << false << KvVariable::number(0.2);
    QTest::newRow("infinite") << "LTSCALE" << KvVariable::number(HUGE_VAL) << false << KvVariable::number(1);
    QTest::newRow("a layer the drawing has, as it spells it") << "CLAYER" << KvVariable::string(QStringLiteral("notes"))
                                                              << true << KvVariable::string(QStringLiteral("Notes"));
    QTest::newRow("a layer it lacks") << "CLAYER" << KvVariable::string(QStringLiteral("Nowhere")) << false
                                      << KvVariable::string(QStringLiteral("0"));
    QTest::newRow("colour beyond by-layer") << "CECOLOR" << KvVariable::int16(300) << false << KvVariable::int16(256);
    QTest::newRow("a new name is added") << "KVMINE" << KvVariable::int32(-7) << true << KvVariable::int32(-7);
    QTest::newRow("a point for a point") << "INSBASE" << KvVariable::point3d(1, 2, 3) << true << KvVariable::point3d(1, 2, 3);
    QTest::newRow("a number for a point") << "INSBASE" << KvVariable::number(1) << false << KvVariable::point3d(0, 0, 0);
}

void TestDrawingSettings::whatASettingAccepts()
{
    QFETCH(QString, name);
    QFETCH(KvVariable, value);
    QFETCH(bool, accepted);
    QFETCH(KvVariable, held);
    CKvDatabase db;
    db.layers().append(KvLayer{QStringLiteral("Notes"), 3});
    QCOMPARE(db.setSysVar(name, value), accepted);
    QCOMPARE(setting(db, name), held);
}

void TestDrawingSettings::eachDrawingHoldsItsOwn()
{
    CKvDatabase first, second;
    QVERIFY(first.setSysVarInt16(QStringLiteral("WIPEOUTFRAME"), 0));
    short value = -1;
    QVERIFY(second.getSysVarInt16(QStringLiteral("WIPEOUTFRAME"), &value));
    QCOMPARE(value, short(1));
    QVERIFY(first.getSysVarInt16(QStringLiteral("WIPEOUTFRAME"), &value));
    QCOMPARE(value, short(0));
    // 16-bit access to settings of another type, or none, does nothing.
    QVERIFY(!first.getSysVarInt16(QStringLiteral("TEXTSIZE"), &value));
    QVERIFY(!first.setSysVarInt16(QStringLiteral("TEXTSIZE"), 3));
    QVERIFY(!first.setSysVarInt16(QStringLiteral("KVNONE"), 3));
    QVERIFY(!first.hasSysVar(QStringLiteral("KVNONE")));
    QCOMPARE(value, short(0));
}

void TestDrawingSettings::getvarAndSetvar_data()
{
    QTest::addColumn<QString>("source"); // evaluated in the first of two documents
    QTest::addColumn<QString>("result");

    QTest::newRow("a 16-bit setting") << R"((getvar "luprec"))" << "4";
    QTest::newRow("used by rtos") << R"((setvar "LUPREC" 2) (rtos 1.23456))" << "\"1.23\"";
    QTest::newRow("out of range") << R"((setvar "LUPREC" 99))" << "error: setvar rejected: LUPREC 99";
    QTest::newRow("a list for a setting") << R"((setvar "LUPREC" '(1 2 3 4)))" << "error: setvar rejected: LUPREC (1 2 3 4)";
    QTest::newRow("an integer for a real") << R"((setvar "TEXTSIZE" 5) (getvar "TEXTSIZE"))" << "5.0";
    QTest::newRow("a point set in 2D") << R"((setvar "INSBASE" '(1 2)) (getvar "INSBASE"))" << "(1.0 2.0 0.0)";
    QTest::newRow("a layer it lacks") << R"((setvar "CLAYER" "Nowhere"))" << "error: setvar rejected: CLAYER \"Nowhere\"";
    QTest::newRow("no setting of the drawing: kept by LISP") << R"((setvar "kvmine" '(1 2 3 4)) (getvar "KVMINE"))" << "(1 2 3 4)";
}

void TestDrawingSettings::getvarAndSetvar()
{
    QFETCH(QString, source);
    QFETCH(QString, result);
    PlatformFixture host(2);
    KvLispEngine& engine = host.document(0)->GetLispContext()->engine();
    QCOMPARE(lastOutcome(engine, source), result);
    // The other document's drawing keeps its own.
    QCOMPARE(lastOutcome(host.document(1)->GetLispContext()->engine(), QStringLiteral(R"((getvar "LUPREC"))")), QStringLiteral("4"));
}

KV_TEST_MAIN(TestDrawingSettings)
#include "tst_drawingsettings.moc"
