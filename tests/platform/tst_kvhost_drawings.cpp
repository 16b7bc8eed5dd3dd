// kvhost and drawings, run as a person starts it: the folders it gives a new user, why it
// refuses a drawing, and the settings of a drawing it opened, seen from LISP.
#include "KvhostProcess.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "drawing/KvDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TestKvhostDrawings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void seedsANewUsersFolders();
    void leavesAUsersFolderAlone();
    void saysWhyADrawingIsRefused_data();
    void saysWhyADrawingIsRefused();
    void settingsOfAnOpenedDrawing();

private:
    KvhostRun kvhost(const QString& userFolder, const QStringList& arguments);

    QTemporaryDir m_dir;
};

namespace {

QStringList drawingsIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

void TestKvhostDrawings::initTestCase()
{
    QVERIFY2(QFile::exists(QStringLiteral(KV_KVHOST)), KV_KVHOST);
    QVERIFY(m_dir.isValid());
}

KvhostRun TestKvhostDrawings::kvhost(const QString& userFolder, const QStringList& arguments)
{
    return KvhostRun::start(QStringLiteral(KV_KVHOST), userFolder, arguments);
}

void TestKvhostDrawings::seedsANewUsersFolders()
{
    const QString user = m_dir.filePath(QStringLiteral("new"));
    const KvhostRun run = kvhost(user, {QStringLiteral("--eval"), QStringLiteral("(princ)")});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    const QString templates = user + QStringLiteral("/Template");
    const QString symbols = user + QStringLiteral("/log/Korvane/BreakLine");
    QCOMPARE(drawingsIn(templates), (QStringList{"A1 landscape.dwg", "A3 landscape.dwg", "A4 portrait.dwg"}));
    QCOMPARE(drawingsIn(symbols), (QStringList{"Double zigzag.dwg", "Wave.dwg", "Zigzag.dwg"}));
    // They are drawings the user can open and replace.
    for (const QString& file : drawingsIn(templates))
        QVERIFY(CKvDatabase().LoadFile(templates + QLatin1Char('/') + file));
    for (const QString& file : drawingsIn(symbols)) {
        const QString path = symbols + QLatin1Char('/') + file;
        QVERIFY(CKvDatabase().LoadFile(path));
        QVERIFY(QFileInfo(path).isWritable());
    }
    // The alias file's folder is there to be written to.
    QVERIFY(QFileInfo(user + QStringLiteral("/support")).isDir());
}

void TestKvhostDrawings::leavesAUsersFolderAlone()
{
    const QString user = m_dir.filePath(QStringLiteral("used"));
    const QString mine = user + QStringLiteral("/Template/A4 portrait.dwg");
    QVERIFY(QDir().mkpath(user + QStringLiteral("/Template")));
    QVERIFY(writeBytes(mine, "my own"));
    for (int run = 0; run < 2; ++run) {
        const KvhostRun r = kvhost(user, {QStringLiteral("--eval"), QStringLiteral("(princ)")});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(drawingsIn(user + QStringLiteral("/Template")), QStringList{"A4 portrait.dwg"});
        QCOMPARE(readBytes(mine), QByteArray("my own"));
        // A symbol the user removed does not come back.
        QVERIFY(QFile::remove(user + QStringLiteral("/log/Korvane/BreakLine/Wave.dwg")) == (run == 0));
    }
}

void TestKvhostDrawings::saysWhyADrawingIsRefused_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QString>("reason");

    // The reasons themselves are the reader's (tst_dxf); kvhost passes them on.
    QTest::newRow("missing") << QByteArray() << "the file does not exist";
    QTest::newRow("damaged") << QByteArray("0\nSECTION\n2\nENTITIES\n0\nLINE\nten\n0\n") << "it is damaged at line 7 (a group code is not a number)";
}

void TestKvhostDrawings::saysWhyADrawingIsRefused()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    const QString path = m_dir.filePath(QStringLiteral("%1.dxf").arg(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-')));
    if (!content.isEmpty())
        QVERIFY(writeBytes(path, content));
    const KvhostRun run = kvhost(m_dir.filePath(QStringLiteral("refusals")), {QStringLiteral("--eval"), QStringLiteral("(princ)"), path});
    QVERIFY2(run.err.contains(QStringLiteral("kvhost: Cannot read the drawing \"%1\": %2.").arg(path, reason)), qPrintable(run.err));
}

void TestKvhostDrawings::settingsOfAnOpenedDrawing()
{
    const QString drawing = QStringLiteral(KV_SOURCE_DIR "/examples/drawings/r2018.dxf");
    const KvhostRun run = kvhost(m_dir.filePath(QStringLiteral("settings")),
                           {QStringLiteral("--documents"), QStringLiteral("0"), QStringLiteral("--eval"), QStringLiteral("(getvar \"CLAYER\")"),
                            QStringLiteral("--eval"), QStringLiteral("(setvar \"LUPREC\" 3)"), QStringLiteral("--eval"),
                            QStringLiteral("(rtos 2.0)"), drawing});
    QVERIFY2(run.code == 0, qPrintable(run.err));
    QCOMPARE(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), (QStringList{"\"Walls\"", "3", "\"2.000\""}));
}

KV_TEST_MAIN(TestKvhostDrawings)
#include "tst_kvhost_drawings.moc"
