// The pattern hatch dialog: its keyword cycles through Dlg_PatternHatch, the pattern
// pickers, the aspect-ratio lock, the checks before OK and the favourites.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/DLG_QT_SelectBlock.h"
#include "dialogs/drawing/DLG_QT_PatternHatch.h"
#include "drawing/KvDatabase.h"
#include "exchange/DialogState.h"
#include "exchange/FavouritesStore.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QImage>
#include <QRegularExpression>
#include <QSettings>
#include <cmath>
#include <limits>

namespace {
// A drawing whose blocks have these sizes (a rectangle of lines each).
std::unique_ptr<CKvDatabase> drawingWithBlocks(const QVector<QPair<QString, QSizeF>>& blocks)
{
    auto database = std::make_unique<CKvDatabase>();
    for (const auto& block : blocks) {
        auto* record = dynamic_cast<OdDbBlockTableRecord*>(database->addBlock(block.first).openObject());
        const double w = block.second.width(), h = block.second.height();
        const OdGePoint3d corners[] = {{0, 0, 0}, {w, 0, 0}, {w, h, 0}, {0, h, 0}};
        for (int i = 0; i < 4; ++i) {
            auto line = std::make_unique<OdDbLine>();
            line->start = corners[i];
            line->end = corners[(i + 1) % 4];
            record->appendEntity(std::move(line));
        }
    }
    return database;
}

const QString Hatch = QStringLiteral("DLG_QT_PatternHatch");
} // namespace

class TestPatternHatch : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult callHatch(const QString& path, const QString& mode = QStringLiteral("NEW"))
    {
        return callLisp(m_host->document(0), QStringLiteral("Dlg_PatternHatch"), std::move(ArgChain().str(path).str(mode)));
    }

    // A dialog shown on the state lines, as a call of Dlg_PatternHatch would show it.
    std::unique_ptr<DLG_QT_PatternHatch> shownOn(const QStringList& lines)
    {
        auto dialog = std::make_unique<DLG_QT_PatternHatch>();
        dialog->dialogState()->setStateLines(lines);
        dialog->show();
        return dialog;
    }

private slots:
    void initTestCase() { registerModuleImages(); }

    void init()
    {
        m_host = std::make_unique<ModuleFixture>(1);
        m_host->document(0)->SetDatabase(drawingWithBlocks({{"WIDE", {4, 2}}, {"TALL", {1, 3}}, {"EMPTY", {0, 0}}}));
        CKvCustBlockUtils::SetAvailable(false);
    }
    void cleanup()
    {
        CKvCustBlockUtils::SetAvailable(false);
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName(),
                  QStringLiteral("Korvane"))
            .clear();
        m_host.reset();
    }

    // OK writes every control before it closes; the keyword is the LISP result.
    void okWritesTheStateAndReturnsItsKeyword()
    {
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, "QtEntities=3\nLbTitleblock=WIDE\nWidth=2\nRotation=30\nkeep=me\n"));
        ModalDriver driver;
        driver.expect(Hatch).expectEnabled("acceptButton", true).click("acceptButton");
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.string(), QStringLiteral("OK"));
        QCOMPARE(readBytes(path), QByteArray("\xEF\xBB\xBF"
                                             "pattern_block=TRUE\n"
                                             "!action!=\n"
                                             "pattern_image=FALSE\n"
                                             "pattern_xref=FALSE\n"
                                             "pattern_mask=FALSE\n"
                                             "lbtitleblock=WIDE\n"
                                             "scalefactor=TRUE\n"
                                             "aspectratio=TRUE\n"
                                             "width=2\n"
                                             "qt_spinbox_lineedit=2\n"
                                             "height=2\n"
                                             "qt_spinbox_lineedit=2\n"
                                             "offsety=0\n"
                                             "qt_spinbox_lineedit=0\n"
                                             "offsetx=0\n"
                                             "qt_spinbox_lineedit=0\n"
                                             "positionx=0\n"
                                             "qt_spinbox_lineedit=0\n"
                                             "positiony=0\n"
                                             "qt_spinbox_lineedit=0\n"
                                             "rotation=30\n"
                                             "qt_spinbox_lineedit=30\n"
                                             "typeobjectblock=TRUE\n"
                                             "typeobjectgroup=FALSE\n"
                                             "trimtolimits=TRUE\n"
                                             "notexceedlimits=FALSE\n"
                                             "tolerance=0.01\n"
                                             "qt_spinbox_lineedit=0.01\n"));
    }

    // Each button that needs the drawing closes with its keyword after writing the state;
    // Cancel closes accepted as well, with "CANCEL", and writes nothing. Only the window's
    // close button gives nil, and so does a call while custom blocks are being edited.
    void keywords_data()
    {
        QTest::addColumn<QString>("button"); // "<close>": the window's close button; empty: no dialog
        QTest::addColumn<QString>("keyword"); // "nil": the nil result
        QTest::addColumn<bool>("written");
        QTest::newRow("preview") << "Btn_Preview" << "PREVIEW" << true;
        QTest::newRow("cancel") << "ButtonCancel" << "CANCEL" << false;
        QTest::newRow("entities") << "Btn_SelectEntities" << "GET_ENTITIES" << true;
        QTest::newRow("points") << "Btn_SelectPoints" << "GET_POINTS" << true;
        QTest::newRow("delete") << "Btn_DeleteEntities" << "DELETE" << true;
        QTest::newRow("show") << "Btn_ShowBoundaries" << "SHOW" << true;
        QTest::newRow("from a hatch") << "Btn_ExtractHatch" << "GET_FROMHATCH" << true;
        QTest::newRow("from an entity") << "Btn_ExtractFromEntity" << "GET_ENTITY" << true;
        QTest::newRow("origin") << "selOrigin" << "GET_ORIGIN" << true;
        QTest::newRow("rotation") << "selRotation" << "GET_ROTATION" << true;
        QTest::newRow("window closed") << "<close>" << "nil" << false;
        QTest::newRow("custom block mode") << "" << "nil" << false;
    }
    void keywords()
    {
        QFETCH(QString, button);
        QFETCH(QString, keyword);
        QFETCH(bool, written);
        const QString path = m_host->path("hatch.txt");
        const QByteArray before("QtEntities=1\nLbTitleblock=TALL\nnotexceedlimits=TRUE\n");
        QVERIFY(writeBytes(path, before));
        ModalDriver driver;
        if (button == "<close>")
            driver.expect(Hatch).cancel();
        else if (!button.isEmpty())
            driver.expect(Hatch).click(button);
        else
            CKvCustBlockUtils::SetAvailable(true, true);
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QCOMPARE(r.isNil() ? QStringLiteral("nil") : r.string(), keyword);
        if (written)
            QVERIFY(fileLines(path).contains(QStringLiteral("notexceedlimits=TRUE")));
        else
            QCOMPARE(readBytes(path), before);
    }

    // The block picker replaces the dialog while it runs; its choice (or nothing) comes back
    // as the keyword, and the state file keeps the name for the LISP side.
    void blockPickerCycle_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("title");
        QTest::newRow("chosen") << true << "GET_BLOCK=TALL" << "lbtitleblock=TALL";
        QTest::newRow("picker cancelled") << false << "GET_BLOCK=" << "lbtitleblock=WIDE";
    }
    void blockPickerCycle()
    {
        QFETCH(bool, choose);
        QFETCH(QString, keyword);
        QFETCH(QString, title);
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, "QtEntities=1\nLbTitleblock=WIDE\nScaleFactor=FALSE\nWidth=4\nHeight=2\n"));
        ModalDriver driver;
        bool hatchHidden = false;
        driver.expect(Hatch).click("Bt_selectBlock");
        auto& picker = driver.expect("DLG_QT_SelectBlock").run([&hatchHidden](QWidget* w) {
            hatchHidden = !w->parentWidget()->isVisible();
        });
        if (choose)
            picker.select("ListBlocks", {1}).click("acceptButton");
        else
            picker.click("ButtonCancel");
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QVERIFY(hatchHidden);
        QCOMPARE(r.string(), keyword);
        const QStringList lines = fileLines(path);
        QVERIFY2(lines.contains(title), qPrintable(lines.join(' ')));
        // The new block's proportions (1 by 3) are kept from the width the user set.
        QVERIFY(lines.contains(choose ? QStringLiteral("height=12") : QStringLiteral("height=2")));
        QVERIFY(!m_host->mainWindow()->findChild<DLG_QT_SelectBlock*>());
    }

    void imagePickerCycle()
    {
        const QString image = m_host->path("brick.png");
        QImage picture(40, 10, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(image));
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, "QtEntities=1\npattern_image=TRUE\nScaleFactor=FALSE\naspectRatio=FALSE\nWidth=8\n"));
        ModalDriver driver;
        driver.expect(Hatch).click("Bt_selectImage");
        driver.expect("QFileDialog").choose(image);
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.string(), QStringLiteral("GET_IMAGE=") + image);
        const QStringList lines = fileLines(path);
        QVERIFY(lines.contains(QStringLiteral("lbtitleimage=") + image));
        // An image keeps its proportions even with the lock off: 8 wide is 2 high.
        QVERIFY(lines.contains(QStringLiteral("height=2")));
    }

    // The drawing picker keeps the dialog open; OK then hands the drawing's path over in
    // the state file, the only place the LISP side can find it.
    void drawingPickerKeepsTheDialogOpen()
    {
        const QString drawing = QStringLiteral(KV_SOURCE_DIR "/examples/drawings/breakline_symbol.dwg");
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, "QtEntities=1\npattern_xref=TRUE\n"));
        ModalDriver driver;
        driver.expect(Hatch)
            .expectEnabled("acceptButton", false)
            .click("Bt_selectBlock_2")
            .expectEnabled("acceptButton", true)
            .click("acceptButton");
        driver.expect("QFileDialog").choose(drawing);
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.string(), QStringLiteral("OK"));
        QVERIFY(fileLines(path).contains(QStringLiteral("lbtitlexref=") + drawing));
    }

    // Failed checks say why and keep the dialog open; a too small tolerance is reset.
    void checksBeforeClosing_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("toleranceAfter");
        QTest::newRow("block without a name") << "QtEntities=1\n" << "Specify Pattern" << 0.01;
        QTest::newRow("width 0") << "QtEntities=1\nLbTitleblock=WIDE\naspectRatio=FALSE\nWidth=0\n"
                                 << "Scale must be higher than zero." << 0.01;
        QTest::newRow("height 0") << "QtEntities=1\nLbTitleblock=WIDE\naspectRatio=FALSE\nHeight=0\n"
                                  << "Scale must be higher than zero." << 0.01;
        QTest::newRow("tolerance below the minimum")
            << "QtEntities=1\nLbTitleblock=WIDE\ntolerance=0.001\n"
            << "The tolerance value is less than minimum. The value is reset to minimum (0.01)." << 0.01;
    }
    void checksBeforeClosing()
    {
        QFETCH(QString, state);
        QFETCH(QString, message);
        QFETCH(double, toleranceAfter);
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, state.toUtf8()));
        double tolerance = -1;
        ModalDriver driver;
        driver.expect(Hatch).run([](QWidget* w) {
            // Without a name OK is disabled; the check behind it holds all the same.
            static_cast<DLG_QT_PatternHatch*>(w)->acceptButton->setEnabled(true);
        }).click("acceptButton").run([&tolerance](QWidget* w) {
            tolerance = static_cast<DLG_QT_PatternHatch*>(w)->tolerance->value();
        }).click("ButtonCancel");
        driver.expect("QMessageBox").expectText(message).click("OK");
        driver.start();
        const LispCallResult r = callHatch(path);
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.string(), QStringLiteral("CANCEL"));
        QCOMPARE(tolerance, toleranceAfter);
        QCOMPARE(readBytes(path), state.toUtf8());
    }

    // What the boundary count the LISP side reports enables, and where the focus goes.
    void boundariesEnableTheActions_data()
    {
        QTest::addColumn<QStringList>("state");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<bool>("boundaryActions");
        QTest::newRow("no count") << QStringList{"LbTitleblock=WIDE"} << false << false;
        QTest::newRow("count 0") << QStringList{"QtEntities=0", "LbTitleblock=WIDE"} << false << false;
        QTest::newRow("count in any case") << QStringList{"qtentities=2", "LbTitleblock=WIDE"} << true << true;
        QTest::newRow("boundaries without a pattern") << QStringList{"QtEntities=2"} << false << true;
    }
    void boundariesEnableTheActions()
    {
        QFETCH(QStringList, state);
        QFETCH(bool, accept);
        QFETCH(bool, boundaryActions);
        auto dialog = shownOn(state);
        QCOMPARE(dialog->acceptButton->isEnabled(), accept);
        QCOMPARE(dialog->Btn_Preview->isEnabled(), accept);
        QCOMPARE(dialog->Btn_DeleteEntities->isEnabled(), boundaryActions);
        QCOMPARE(dialog->Btn_ShowBoundaries->isEnabled(), boundaryActions);
    }

    // The other side follows a changed side in the reference's proportions, and only then.
    void aspectLock_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("scaleFactor");
        QTest::addColumn<bool>("lock");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::newRow("scale factors: equal") << "pattern_block" << true << true << "Width" << 2.0 << 2.0 << 2.0;
        QTest::newRow("block 4 by 2, width") << "pattern_block" << false << true << "Width" << 10.0 << 10.0 << 5.0;
        QTest::newRow("block 4 by 2, height") << "pattern_block" << false << true << "Height" << 4.0 << 8.0 << 4.0;
        QTest::newRow("unlocked") << "pattern_block" << false << false << "Width" << 10.0 << 10.0 << 3.0;
        QTest::newRow("mask: equal sides") << "pattern_mask" << false << true << "Height" << 7.0 << 7.0 << 7.0;
        QTest::newRow("image locked without the lock") << "pattern_image" << false << false << "Width" << 30.0 << 30.0
                                                       << 7.5;
    }
    void aspectLock()
    {
        QFETCH(QString, type);
        QFETCH(bool, scaleFactor);
        QFETCH(bool, lock);
        QFETCH(QString, changed);
        QFETCH(double, value);
        QFETCH(double, width);
        QFETCH(double, height);
        const QString image = m_host->path("tile.png");
        QImage picture(80, 20, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        QVERIFY(picture.save(image));
        auto dialog = shownOn({"LbTitleblock=WIDE", "LbTitleimage=" + image, type + "=TRUE",
                               QStringLiteral("ScaleFactor=") + (scaleFactor ? "TRUE" : "FALSE"),
                               QStringLiteral("aspectRatio=") + (lock ? "TRUE" : "FALSE"), "Width=3", "Height=3"});
        dialog->findChild<CKvQtUnitSpinBox*>(changed)->setValue(value);
        QCOMPARE(dialog->Width->value(), width);
        QCOMPARE(dialog->Height->value(), height);
    }

    // A reference without proportions (a block that draws nothing, an empty extent, a value
    // that is no number) leaves the sizes alone instead of filling them with inf or NaN.
    void referenceWithoutProportions_data()
    {
        QTest::addColumn<double>("referenceWidth");
        QTest::addColumn<double>("referenceHeight");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<double>("other");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("2 by 1") << 2.0 << 1.0 << true << 5.0;
        QTest::newRow("zero width") << 0.0 << 1.0 << false << 0.0;
        QTest::newRow("zero height") << 2.0 << 0.0 << false << 0.0;
        QTest::newRow("empty extent") << -2e20 << -2e20 << false << 0.0;
        QTest::newRow("negative") << -2.0 << 1.0 << false << 0.0;
        QTest::newRow("infinite") << inf << 1.0 << false << 0.0;
        QTest::newRow("not a number") << std::nan("") << 1.0 << false << 0.0;
        QTest::newRow("huge but finite") << 1e20 << 1e20 << true << 10.0;
        QTest::newRow("ratio overflows") << 1e-300 << 1e300 << false << 0.0;
    }
    void referenceWithoutProportions()
    {
        QFETCH(double, referenceWidth);
        QFETCH(double, referenceHeight);
        QFETCH(bool, kept);
        QFETCH(double, other);
        double side = 0.0;
        QCOMPARE(DLG_QT_PatternHatch::proportionalSide(10.0, referenceWidth, referenceHeight, &side), kept);
        QCOMPARE(side, other);
    }

    // NEW, EDIT and EXTRACTENTITY fill the controls from the file again; other modes keep
    // what the user left in the dialog.
    void modeDecidesWhetherTheStateIsApplied_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("origin");
        QTest::newRow("NEW") << "NEW" << "7";
        QTest::newRow("EDIT") << "EDIT" << "7";
        QTest::newRow("EXTRACTENTITY") << "EXTRACTENTITY" << "7";
        QTest::newRow("BOUNDARIES") << "BOUNDARIES" << "0";
        QTest::newRow("lower case is another mode") << "edit" << "0";
    }
    void modeDecidesWhetherTheStateIsApplied()
    {
        QFETCH(QString, mode);
        QFETCH(QString, origin);
        const QString path = m_host->path("hatch.txt");
        QVERIFY(writeBytes(path, "QtEntities=1\nLbTitleblock=WIDE\n"));
        ModalDriver first;
        first.expect(Hatch).click("selOrigin");
        first.start();
        QCOMPARE(callHatch(path).string(), QStringLiteral("GET_ORIGIN"));
        KV_VERIFY_MODALS(first);
        first.stop();

        // The LISP side writes the point it got and calls again.
        QStringList lines = fileLines(path);
        lines.replaceInStrings(QRegularExpression("^positionx=.*"), "positionx=7");
        lines << "QtEntities=1";
        QVERIFY(writeBytes(path, lines.join('\n').toUtf8() + '\n'));
        ModalDriver second;
        second.expect(Hatch).expectValue("positionX", origin).click("acceptButton");
        second.start();
        QCOMPARE(callHatch(path, mode).string(), QStringLiteral("OK"));
        KV_VERIFY_MODALS(second);
    }

    // A favourite brings its settings back, pattern included, and leaves the boundaries
    // the LISP side reported; typing a new name loads nothing.
    void favourites()
    {
        auto dialog = shownOn({"QtEntities=4", "LbTitleblock=TALL", "ScaleFactor=FALSE", "aspectRatio=FALSE",
                               "Width=2", "Height=6"});
        QVERIFY(!dialog->Btn_Erase->isEnabled());
        dialog->Cb_Favorits->setEditText(QStringLiteral("Tall / narrow"));
        dialog->Btn_SaveFav->click();
        QCOMPARE(dialog->Cb_Favorits->count(), 1);
        QVERIFY(dialog->Btn_Erase->isEnabled());
        QCOMPARE(CFavouritesStore("PatternHatch").favouriteNames(), QStringList{"Tall / narrow"});

        dialog->pattern_block->click();
        dialog->Width->setValue(9);
        dialog->Height->setValue(1);
        dialog->dialogState()->previewDrawingOrBlock(QStringLiteral("WIDE"), dialog->PreviewBlock, dialog->LbTitleblock);
        dialog->Cb_Favorits->setEditText(QStringLiteral("Tall"));
        QCOMPARE(dialog->Width->value(), 9.0);

        dialog->Cb_Favorits->setCurrentIndex(0);
        emit dialog->Cb_Favorits->activated(0);
        QCOMPARE(dialog->Width->value(), 2.0);
        QCOMPARE(dialog->Height->value(), 6.0);
        QCOMPARE(dialog->LbTitleblock->text(), QStringLiteral("TALL"));
        QCOMPARE(dialog->dialogState()->stateValue("QtEntities"), QStringLiteral("4"));
        // Changing a setting afterwards means the favourite is no longer what is shown.
        dialog->TypeObjectGroup->click();
        QVERIFY(dialog->Cb_Favorits->currentText().isEmpty());
    }

};

KV_TEST_MAIN(TestPatternHatch)
#include "tst_patternhatch.moc"
