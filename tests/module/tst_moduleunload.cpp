// Loads the built module file by path exactly as kvhost does, works a dialog through its
// message boxes, unloads the module and ends the application. Whatever a dialog leaves in
// Qt's process-wide caches (icons, fonts, settings, the style's last painted item) must not
// point into the module by then, or the application's end crashes. Each row runs in a
// process of its own, so that no row can hide what another left behind; the row passes when
// that process ends cleanly.
//
// One row per dialog.
// Column 1 is LISP, evaluated in the active document (several forms are fine; the row fails
// on a LISP error). Column 2 is a dialog script in kvhost's --dialog-script format
// (examples/dialog-scripts/README.md): one block per modal window as it opens. Make the
// dialog show every message box it has that a person can reach (a failed check, a question,
// a notice after OK) and any file or folder dialog it opens, with its lists and tables
// filled. Column 3 is the printed value of the last form, or empty to skip that check. In
// the texts, %STATE% is a state file of the row's own, %DIR% a folder of the row's own
// (empty at the start) and %EXAMPLES% the repository's examples/ folder.
//
// Not reachable here: the block picker, which the pattern hatch offers only when the drawing
// has blocks (a new document has none).
#include "ModalDriver.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"

#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvModuleLoader.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <memory>

namespace {
// Set in the process that runs one row.
const char kRowProcess[] = "KV_UNLOAD_ROW";

// Paints every window whenever one is shown, as a screen would: painting is what fills the
// style's caches (the last item drawn, its icon included) with what the module handed over.
class Painter : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible())
                    window->grab();
        }
        return false;
    }
};
} // namespace

class TestModuleUnload : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    std::unique_ptr<CKvModuleLoader> m_loader;
    Painter m_painter;

private slots:
    void initTestCase()
    {
        if (!qEnvironmentVariableIsSet(kRowProcess))
            return;
        qApp->installEventFilter(&m_painter);
        m_host = std::make_unique<PlatformFixture>(1);
        m_loader = std::make_unique<CKvModuleLoader>();
        QString error;
        QVERIFY2(m_loader->load(QStringLiteral(KV_MODULE_FILE), &error), qPrintable(error));
    }

    void dialogs_data()
    {
        QTest::addColumn<QString>("lisp");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("result");

        QTest::newRow("Dlg_QT_EditTextCase")
            << "(Dlg_edittextcase \"%STATE%\" \"<b>Plain</b> text\")"
            << "Dlg_QT_EditTextCase\n"
               "  click radioButton3\n"
               "  click buttonHelp\n"
               "  click okButton\n"
            << "3";
        QTest::newRow("Dlg_QT_LispExplorer")
            << "(Dlg_LispExplorer)"
            << "Dlg_QT_LispExplorer\n"
               "  click bt_Directory\n"
               "  select List_files 0\n"
               "  select List_functions 0\n"
               "  click Bt_Load\n"
               "  set txSearch no such text\n"
               "  click bt_Search\n"
               "  set TxDirectory %DIR%/missing\n"
               "  click Bt_Load\n"
               "  click btnClose\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/lisp\n"
               "QMessageBox\n"
               "  expect-text The file has been loaded.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text No matches found for 'no such text'\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click OK\n"
            << "";
        QTest::newRow("DLG_QT_PatternHatch")
            << "(setq f (open \"%STATE%\" \"w\"))"
               "(write-line \"qtentities=2\" f) (write-line \"pattern_mask=TRUE\" f)"
               "(write-line \"tolerance=0.001\" f) (close f)"
               "(Dlg_PatternHatch \"%STATE%\" \"NEW\")"
            << "DLG_QT_PatternHatch\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "  click Btn_SaveFav\n"
               "  set Cb_Favorits Tiles\n"
               "  click Btn_SaveFav\n"
               "  set Cb_Favorits Tiles\n"
               "  click Btn_SaveFav\n"
               "  set Cb_Favorits Bricks\n"
               "  click Btn_SaveFav\n"
               "  click Btn_Erase\n"
               "  click pattern_image\n"
               "  click Bt_selectImage\n"
               "QMessageBox\n"
               "  expect-text The tolerance value is less than minimum. The value is reset to minimum (0.01).\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text Favorite name is required.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click Yes\n"
               "Dlg_QT_RemoveFavorits\n"
               "  select ListFavorits 0\n"
               "  click BtnRemove\n"
               "  click acceptButton\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/images/bricks.png\n"
            << "";
        QTest::newRow("Dlg_QT_MultiViewSetup")
            << "(Dlg_MultiViewSetup \"%STATE%\")"
            << "QMessageBox\n"
               "  expect-text Cannot find the specified Path.\n"
               "  click OK\n"
               "Dlg_QT_MultiViewSetup\n"
               "  click selDir\n"
               "  select lstBlocks 0\n"
               "  click psCreate\n"
               "  click psAlign\n"
               "  click psScale\n"
               "  click SpaceModel\n"
               "  click msMetric\n"
               "  select msLstScales 5\n"
               "  click buttonHelp\n"
               "  click InsertMsTitle\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/drawings/seed/Template\n"
            << "";
        QTest::newRow("Dlg_QT_Breakline")
            << "(Dlg_BreakLine \"%STATE%\")"
            << "Dlg_QT_Breakline\n"
               "  set name a;b\n"
               "  click SelectEntities\n"
               "  click Bt_selectBlock\n"
               "  click buttonHelp\n"
               "  set name Zig\n"
               "  click SelectEntities\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/drawings/breakline_symbol.dwg\n"
            << "";
        QTest::newRow("Dlg_QT_GetBlockInfo")
            << "(Dlg_getblockinfo \"%STATE%\" (list \"A;3\" \"Door;12\") (list \"N;1\"))"
            << "Dlg_QT_GetBlockInfo\n"
               "  set nestedCheckBox true\n"
               "  click buttonHelp\n"
               "  click exportButton\n"
               "QFileDialog\n"
               "  choose %DIR%/missing/blocks.txt\n"
               "QMessageBox\n"
               "  click OK\n"
            << "(\"A^3\" \"Door^12\" \"N^1\")";
        QTest::newRow("Dlg_QT_ReplaceBlock")
            << "(Dlg_replaceblock \"%STATE%\" \"A^1\" \"B^0\")"
            << "Dlg_QT_ReplaceBlock\n"
               "  click acceptButton\n"
               "  select blocksTable\n"
               "  click acceptButton\n"
               "  click buttonHelp\n"
               "  select blocksTable 1\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  expect-text \"\\\"Block to be replaced\\\" and \\\"Replacing block\\\" must be different.\"\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click OK\n"
            << "";
        QTest::newRow("Dlg_QT_ReplaceBlockToXref")
            << "(setq f (open \"%STATE%\" \"w\"))"
               "(write-line \"directory=%EXAMPLES%/drawings/seed/BreakLine\" f)"
               "(close f)"
               "(Dlg_replaceblocktoxref \"%STATE%\" \"A^0\")"
            << "Dlg_QT_ReplaceBlockToXref\n"
               "  select blocksTableRep 0\n"
               "  select blocksTable\n"
               "  click acceptButton\n"
               "  select blocksTable 0\n"
               "  select blocksTableRep\n"
               "  click acceptButton\n"
               "  click selDirectory\n"
               "  select blocksTableRep 0\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/drawings\n"
            << "";
        QTest::newRow("Dlg_QT_numbertext")
            << "(Dlg_NumberText \"%STATE%\")"
            << "Dlg_QT_numbertext\n"
               "  click placement_replace\n"
               "  set search ##\n"
               "  set cb_digits 2 [01]\n"
               "  click ButtonCancel_2\n"
               "  click acceptButton\n"
            << "";
        QTest::newRow("Dlg_QT_TextFrame")
            << "(Dlg_TextFrame \"%STATE%\")"
            << "Dlg_QT_TextFrame\n"
               "  click bk_hatch\n"
               "  set color Blue\n"
               "  set offset 0.5\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
            << "";
        QTest::newRow("Dlg_QT_TextMask")
            << "(Dlg_TextMask \"%STATE%\")"
            << "Dlg_QT_TextMask\n"
               "  click type_solid\n"
               "  set color Green\n"
               "  set offset -1\n"
               "  click acceptButton\n"
               "  set offset 1\n"
               "  click Helpbutton\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  expect-text Wrong dimension value.\n"
               "  click OK\n"
            << "";
        QTest::newRow("DLG_QT_ConvertNotes")
            << "(Dlg_convertsimplesnotes \"%STATE%\")"
            << "DLG_QT_ConvertNotes\n"
               "  click select_alfa\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
            << "";
        QTest::newRow("Dlg_QT_MergeSheets")
            << "(Dlg_MergeSheets \"%STATE%\" \"Sheet 2\" \"Sheet 1\")"
            << "Dlg_QT_MergeSheets\n"
               "  select blocksTable\n"
               "  click acceptButton\n"
               "  select blocksTable 0\n"
               "  set TargetLayout \"  \"\n"
               "  click acceptButton\n"
               "  set TargetLayout \"\"\n"
               "  click acceptButton\n"
               "  select blocksTableRep 1\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  expect-text Please specify sheets to merge.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text \"Name  is invalid. \"\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text \"Please specify target sheet. \"\n"
               "  click OK\n"
            << "";
        QTest::newRow("Dlg_QT_DrawOderColor")
            << "(Dlg_DrawOrderColor \"%STATE%\" \"1\" \"5\" \"3\")"
            << "Dlg_QT_DrawOderColor\n"
               "  click btnTop\n"
               "  select lstColors 2\n"
               "  click btnTop\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  expect-text Select rows of table for move.\n"
               "  click OK\n"
            << "(3 5 1)";
        QTest::newRow("Dlg_QT_ExchangedDimensionStyle")
            << "(setq f (open \"%STATE%\" \"w\"))(write-line \"filedim=%EXAMPLES%/styles/sample.dim\" f)(close f)"
               "(Dlg_ExDimensionStyle \"%STATE%\")(Dlg_ExDimensionStyle \"%STATE%\")"
            << "Dlg_QT_ExchangedDimensionStyle\n"
               "  select lstStyles 1\n"
               "  click buttonHelp\n"
               "  click selectfile\n"
               "  click selectfile\n"
               "QFileDialog\n"
               "  choose %DIR%/missing/out\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %DIR%/out.v2\n"
               "Dlg_QT_ExchangedDimensionStyle\n"
               "  select lstStyles 0 2\n"
               "  click selectfile\n"
               "  click buttonCancel\n"
               "QFileDialog\n"
               "  choose %DIR%/out.v2\n"
               "QMessageBox\n"
               "  click No\n"
            << "nil";
        QTest::newRow("Dlg_QT_ImportDimensionStyle")
            << "(setq f (open \"%STATE%\" \"w\"))(write-line \"dimstylelength=1\" f)(write-line \"dimstyle1=ISO-25\" f)"
               "(close f)(Dlg_ImDimensionStyle \"%STATE%\")"
            << "Dlg_QT_ImportDimensionStyle\n"
               "  click acceptButton\n"
               "  click selectfile\n"
               "  select lstStyles 1\n"
               "  click buttonHelp\n"
               "  set cbDimensionStyle true\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/styles/sample.dim\n"
            << "";
        QTest::newRow("Dlg_QT_MakeLineStyle")
            << "(setq f (open \"%DIR%/comment.lin\" \"w\"))(write-line \";; no header first\" f)(close f)"
               "(setq f (open \"%STATE%\" \"w\"))(write-line \"linetypefile=%EXAMPLES%/styles/sample.lin\" f)(close f)"
               "(Dlg_makelinestyle \"%STATE%\")"
            << "Dlg_QT_MakeLineStyle\n"
               "  click acceptButton\n"
               "  set name a b\n"
               "  click acceptButton\n"
               "  set name center\n"
               "  click acceptButton\n"
               "  click selectfile\n"
               "  click buttonHelp\n"
               "  set name GAS\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click No\n"
               "QFileDialog\n"
               "  choose %DIR%/comment.lin\n"
               "QMessageBox\n"
               "  click OK\n"
            << "";
        QTest::newRow("Dlg_QT_MakeShape")
            << "(Dlg_MakeShape \"%STATE%\")"
            << "Dlg_QT_MakeShape\n"
               "  click acceptButton\n"
               "  click selectfile\n"
               "  click buttonHelp\n"
               "  set name DBLARROW\n"
               "  click acceptButton\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/styles/sample.shp\n"
               "QMessageBox\n"
               "  click Yes\n"
            << "";
        QTest::newRow("Dlg_QT_ExportSettings")
            << "(Dlg_exportsetting \"%EXAMPLES%/styles/settings.txt\" \"new\")"
               "(Dlg_exportsetting \"%EXAMPLES%/styles/settings.txt\" \"add\")"
            << "Dlg_QT_ExportSettings\n"
               "  set Type Standard\n"
               "  click saveButton\n"
               "  click saveButton\n"
               "  click buttonHelp\n"
               "  click okButton\n"
               "QFileDialog\n"
               "  choose %DIR%/missing/out.scr\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %DIR%/out.scr\n"
               "Dlg_QT_ExportSettings\n"
               "  click saveButton\n"
               "  click okButton\n"
               "QFileDialog\n"
               "  choose %DIR%/out.scr\n"
            << "";
        QTest::newRow("Dlg_QT_EditAlias")
            << "(Dlg_EditAlias \"%STATE%\")"
            << "QMessageBox\n"
               "  click OK\n"
               "Dlg_QT_EditAlias\n"
               "  click btnImport\n"
               "  click btnExport\n"
               "  click btnAdd\n"
               "  click btnAdd\n"
               "  select lstAlias 2 3\n"
               "  click btnDel\n"
               "  click btnSave\n"
               "  click btnPrint\n"
               "  click btnClean\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/alias.xml\n"
               "QFileDialog\n"
               "  choose %DIR%/exported.xml\n"
               "QMessageBox\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click Yes\n"
               "QMessageBox\n"
               "  click No\n"
               "QMessageBox\n"
               "  click OK\n"
               "QPrintDialog\n"
               "  set printers Print to File (PDF)\n"
               "  set filename %DIR%/aliases.pdf\n"
               "  click Print\n"
               "QMessageBox\n"
               "  click Yes\n"
            << "";
        QTest::newRow("Dlg_QT_ShowLinks")
            << "(setq f (open \"%DIR%/links.txt\" \"w\"))"
               "(write-line \"1^javascript:alert(1)^LINE^Model\" f)"
               "(write-line \"2^www.example.com^ARC^Layout1\" f) (close f)"
               "(Dlg_ShowLinks \"%STATE%\" \"%DIR%/links.txt\")"
               "(Dlg_ShowLinks \"%STATE%\" \"%DIR%/missing/links.txt\")"
            << "Dlg_QT_ShowLinks\n"
               "  click btnHelp\n"
               "  click btnReplace\n"
               "  select tableUrl 0\n"
               "  click btnShowUrl\n"
               "  select tableUrl 0 1\n"
               "  click btnShowUrl\n"
               "  click btnRemoveUrl\n"
               "  select tableUrl 1\n"
               "  click btnRemoveUrl\n"
               "  click btnClose\n"
               "QMessageBox\n"
               "  expect-text Select the rows of table for searching.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text Unable to display the link.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text Select one row of table for show.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  click Cancel\n"
               "QMessageBox\n"
               "  click OK\n"
               "Dlg_QT_ShowLinks\n"
               "  click btnClose\n"
               "  cancel\n"
               "QMessageBox\n"
               "  click OK\n"
            << "";
        QTest::newRow("Dlg_QT_ExportInfo")
            << "(Dlg_ExportInfo \"%STATE%\" \"%EXAMPLES%/support/sysinfo.txt\")"
            << "Dlg_QT_ExportInfo\n"
               "  set lineEdit Ana\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "  click acceptButton\n"
               "QFileDialog\n"
               "  choose %DIR%/missing/report.txt\n"
               "QMessageBox\n"
               "  click OK\n"
               "QFileDialog\n"
               "  choose %DIR%/report.txt\n"
            << "";
        QTest::newRow("Dlg_QT_ImportBlockAttributes")
            << "(Dlg_imporAttributes \"%STATE%\")"
            << "Dlg_QT_ImportBlockAttributes\n"
               "  click selectfile\n"
               "  set AttributeFile %DIR%/missing.txt\n"
               "  click selectAll\n"
               "  click selectAll\n"
               "  click selectAll\n"
               "  set txsearch D0.01\n"
               "  set txreplace a^b\n"
               "  click btReplace\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
               "  set txsearch a^b\n"
               "  set txreplace D0.01\n"
               "  click btReplace\n"
               "  click acceptButton\n"
               "QFileDialog\n"
               "  choose %EXAMPLES%/attributes/doors.txt\n"
               "QMessageBox\n"
               "  expect-text Cannot find the specified file.\n"
               "  click OK\n"
               "QMessageBox\n"
               "  expect-text \"The cell in row 1, column 1 (\\\"DOOR_NO\\\") holds \\\"^\\\", a tab or a line break, which cannot be imported.\"\n"
               "  click OK\n"
            << "";
        QTest::newRow("Dlg_QT_RedefinePaths")
            << "(Dlg_RedefinePaths \"%STATE%\" \"Xref^A^/a/b.dwg\" \"RemoteText^B^/c/d.txt\")"
            << "Dlg_QT_RedefinePaths\n"
               "  click tyXref\n"
               "  set filter \\.dwg$\n"
               "  click selectAll\n"
               "  set txreplace /srv\n"
               "  click btReplace\n"
               "  click buttonHelp\n"
               "  click acceptButton\n"
            << "(\"Xref^A^/srv/a/b.dwg\")";
    }

    void dialogs()
    {
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (!qEnvironmentVariableIsSet(kRowProcess)) {
            QProcess row;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(kRowProcess), QStringLiteral("1"));
            row.setProcessEnvironment(environment);
            row.setProcessChannelMode(QProcess::MergedChannels);
            row.start(QCoreApplication::applicationFilePath(), {QStringLiteral("dialogs:") + tag});
            QVERIFY(row.waitForFinished(KV_ROW_TIMEOUT_MS));
            const QString output = QString::fromLocal8Bit(row.readAll());
            QVERIFY2(row.exitStatus() == QProcess::NormalExit && row.exitCode() == 0, qPrintable(output));
            return;
        }
        QFETCH(QString, lisp);
        QFETCH(QString, script);
        QFETCH(QString, result);
        const QString dir = m_host->path(QString(tag).replace(QRegularExpression("\\W+"), "-"));
        QVERIFY(QDir().mkpath(dir));
        for (QString* text : {&lisp, &script}) {
            text->replace("%STATE%", dir + "/dialog.state");
            text->replace("%DIR%", dir);
            text->replace("%EXAMPLES%", QStringLiteral(KV_SOURCE_DIR "/examples"));
        }
        ModalScript parsed;
        QString errors;
        QVERIFY2(ModalScript::parse(script, tag, &parsed, &errors), qPrintable(errors));
        ModalDriver driver;
        driver.setScript(parsed);
        driver.start();
        const QVector<KvLispEngine::Result> results =
            m_host->document(0)->GetLispContext()->engine().evaluate(lisp);
        KV_VERIFY_MODALS(driver);
        QVERIFY(!results.isEmpty());
        for (const KvLispEngine::Result& r : results)
            QVERIFY2(r.ok, qPrintable(r.error));
        if (!result.isEmpty())
            QCOMPARE(results.last().printed, result);
    }

    // The module goes first, then the host; the application ends after this, with every
    // cache Qt keeps until then.
    void cleanupTestCase()
    {
        if (!m_loader)
            return;
        m_loader->unload();
        QVERIFY(!m_loader->isLoaded());
        QVERIFY(m_host->document(0)->GetLispContext()->DefinedFunctions().isEmpty());
        m_loader.reset();
        m_host.reset();
    }
};

KV_TEST_MAIN(TestModuleUnload)
#include "tst_moduleunload.moc"
