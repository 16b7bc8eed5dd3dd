// The pattern hatch and multiview setup examples run in kvhost as a person runs them: the
// LISP cycles with their dialog scripts and prompt answers, to the end and out of kvhost.
#include "KvhostProcess.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TestDrawingExamples : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    KvhostRun kvhost(const QStringList& arguments, const QByteArray& input = QByteArray())
    {
        return KvhostRun::start(QStringLiteral(KV_KVHOST), m_dir.filePath(QStringLiteral("user")), arguments, input,
                                QStringLiteral(KV_SOURCE_DIR));
    }

    static QByteArray answers(const QString& name)
    {
        QFile file(QStringLiteral(KV_SOURCE_DIR "/examples/dialog-scripts/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral(KV_KVHOST)), KV_KVHOST);
        QVERIFY(m_dir.isValid());
    }

    void patternHatchCycle()
    {
        const KvhostRun run = kvhost({"--dialog-script", "examples/dialog-scripts/patternhatch.txt", "--script",
                                      "examples/patternhatch.lsp", "examples/drawings/blocks.dxf"},
                                     answers("patternhatch.answers"));
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.out.endsWith("Hatch 12 boundaries with the block WINDOW\n"
                                  "  cell 0.5 x 0.125, gaps 0.25 x 0.25\n"
                                  "  origin 2.5,1.5, rotation 30\n"
                                  "  as an anonymous block, curve tolerance 0.05\n"),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("Pattern block: WINDOW\n"));
    }

    // Every type in turn, each dialog closed by kvhost: one picture per type.
    void patternHatchTypes()
    {
        const QString pictures = m_dir.filePath(QStringLiteral("types"));
        const KvhostRun run = kvhost({"--screenshot-dir", pictures, "--auto-close", "--script",
                                      "examples/patternhatch-types.lsp", "examples/drawings/blocks.dxf"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(run.out, QStringLiteral("pattern_block: closed\npattern_image: closed\npattern_xref: closed\n"
                                         "pattern_mask: closed\n"));
        QCOMPARE(QDir(pictures).entryList(QDir::Files).size(), 4);
    }

    void multiViewSetupCycle()
    {
        const KvhostRun run = kvhost({"--dialog-script", "examples/dialog-scripts/multiviewsetup.txt", "--script",
                                      "examples/multiviewsetup.lsp", "examples/drawings/titleblock.dxf"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 6);
        // The first template of the folder, whichever the folder lists first.
        const QString templates = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("user/Template")));
        QVERIFY2(lines.at(0).startsWith("Insert " + templates + "/A"), qPrintable(lines.at(0)));
        QVERIFY(lines.at(0).endsWith(".dwg at 10,10 in Milimeters on layer Title; Do not remove entities"));
        QCOMPARE(lines.mid(1), (QStringList{"Create 2 x 3 viewports, 10 and 10 apart; Remove all viewports",
                                            "Align the viewports horizontally", "Scale the viewports 1:50",
                                            "Create a title block of 420 x 297 in model space, scale 1:100 (factor 100)",
                                            "Multiview setup closed."}));
    }

    // Removed links are still handed over after the round trip through Show Entity.
    void showLinksCycle()
    {
        const KvhostRun run = kvhost({"--dialog-script", "examples/dialog-scripts/showlinks.txt", "--script",
                                      "examples/showlinks.lsp"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(run.out.split('\n', Qt::SkipEmptyParts),
                 (QStringList{"Zoom to the INSERT 20A in Model", "Links to apply:",
                              "  1F4 http://www.example.com/projects/riverside/site-plan.pdf",
                              "  1F9 www.example.org/standards/doors", "  20A specs/door-schedule.xlsx",
                              "  2B3 https://intranet.example.com/rfi?id=118&rev=2",
                              "  31E ftp://files.example.com/xrefs/grid.dwg",
                              "  3A7 http://www.example.com/products/fire-damper-fd90",
                              "  remove the link of 2C0"}));
    }

    // The server paths of the references and images move to the archive share.
    void redefinePathsCycle()
    {
        const KvhostRun run = kvhost(
            {"--dialog-script", "examples/dialog-scripts/redefinepaths.txt", "--script", "examples/redefinepaths.lsp"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains("9 paths to write back:\n"
                                  "  Xref Site plan: //archive/2024/2417 Harbour Road/xref/site-plan.dwg\n"),
                 qPrintable(run.out));
        QVERIFY(run.out.contains("  RemoteText Door schedule: //archive/2024/2417 Harbour Road/notes/doors.txt\n"));
    }
};

KV_TEST_MAIN(TestDrawingExamples)
#include "tst_drawingexamples.moc"
