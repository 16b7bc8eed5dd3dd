// The sheet merge dialog: its target name field and checks, the sorted sheet lists, and
// Dlg_MergeSheets end to end with the custom-block check in front.
#include "ItemTexts.h"
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/blocks/Dlg_QT_MergeSheets.h"
#include "kernel/KvSystemServices.h"

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>

class TestMergeSheets : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    LispCallResult call(ArgChain&& args) { return callLisp(m_host->document(0), "Dlg_MergeSheets", std::move(args)); }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup()
    {
        m_host.reset();
        CKvCustBlockUtils::SetAvailable(false);
    }

    void existingSheetGivesTheTargetName()
    {
        Dlg_QT_MergeSheets dialog;
        dialog.setSheetNames({"Plan", "Elevation"});
        dialog.show();
        dialog.blocksTableRep->selectRow(1);
        QCOMPARE(dialog.TargetLayout->text(), QStringLiteral("Plan"));
        dialog.blocksTableRep->clearSelection();
        QCOMPARE(dialog.TargetLayout->text(), QString());
    }

    // OK needs a sheet to merge and a name that is more than blanks; the name is kept trimmed.
    void closeDialogChecks_data()
    {
        QTest::addColumn<bool>("mergeSelected");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("stored");
        QTest::newRow("no sheet to merge") << false << "New" << "Please specify sheets to merge." << "New";
        QTest::newRow("blank name") << true << "   " << "Name  is invalid. " << "   ";
        QTest::newRow("no name") << true << "" << "Please specify target sheet. " << "";
        QTest::newRow("new name, trimmed") << true << "  New sheet " << "" << "New sheet";
        QTest::newRow("one of the sheets to merge") << true << "Plan" << "" << "Plan";
    }

    void closeDialogChecks()
    {
        QFETCH(bool, mergeSelected);
        QFETCH(QString, target);
        QFETCH(QString, message);
        QFETCH(QString, stored);
        Dlg_QT_MergeSheets dialog;
        dialog.setWindowModality(Qt::NonModal); // so that the driver sees only the message box
        dialog.setSheetNames({"Plan", "Elevation"});
        dialog.show();
        if (!mergeSelected)
            dialog.blocksTable->clearSelection();
        dialog.TargetLayout->setText(target);
        QString shown;
        ModalDriver driver;
        if (!message.isEmpty())
            driver.expect("QMessageBox").capture(&shown).click("OK");
        driver.start();
        dialog.acceptButton->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(shown, message);
        QCOMPARE(dialog.result(), message.isEmpty() ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(dialog.TargetLayout->text(), stored);
        if (mergeSelected && !message.isEmpty())
            QCOMPARE(dialog.focusWidget(), dialog.TargetLayout);
    }

    // Both lists show this call's names in the tables' own text order on every show; a header
    // click turns its own list around.
    void sortedOnEveryShow()
    {
        const QString path = m_host->path("merge.txt");
        QStringList left, right, clicked;
        ModalDriver first;
        first.expect("Dlg_QT_MergeSheets")
            .run([&](QWidget* w) {
                auto* d = static_cast<Dlg_QT_MergeSheets*>(w);
                left = columnTexts(d->blocksTable);
                right = columnTexts(d->blocksTableRep);
                QCOMPARE(KvTable::selectedRows(d->blocksTable), QList<int>{0});
                QHeaderView* header = d->blocksTableRep->horizontalHeader();
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
                clicked = columnTexts(d->blocksTableRep);
                QCOMPARE(columnTexts(d->blocksTable), left);
                QCOMPARE(d->blocksTableRep->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
            })
            .cancel();
        first.start();
        QVERIFY(call(std::move(ArgChain().str(path).str("Sheet 10").str("layout b").str("Sheet 2").str("Layout A"))).isNil());
        KV_VERIFY_MODALS(first);
        first.stop();
        const QStringList ascending{"Layout A", "Sheet 10", "Sheet 2", "layout b"};
        QCOMPARE(left, ascending);
        QCOMPARE(right, ascending);
        QCOMPARE(clicked, (QStringList{"layout b", "Sheet 2", "Sheet 10", "Layout A"}));

        ModalDriver second;
        second.expect("Dlg_QT_MergeSheets")
            .run([&](QWidget* w) {
                auto* d = static_cast<Dlg_QT_MergeSheets*>(w);
                right = columnTexts(d->blocksTableRep);
            })
            .cancel();
        second.start();
        call(std::move(ArgChain().str(path).str("Z").str("Y")));
        KV_VERIFY_MODALS(second);
        QCOMPARE(right, (QStringList{"Y", "Z"}));
    }

    void acceptedWritesTheChoice()
    {
        const QString path = m_host->path("merge.txt");
        QVERIFY(writeBytes(path, "targetlayout=Ignored\npurgeitems=TRUE\n"));
        ModalDriver driver;
        driver.expect("Dlg_QT_MergeSheets")
            .expectValue("PurgeItems", "false")
            .expectValue("TargetLayout", "")
            .select("blocksTable", {1, 2})
            .select("blocksTableRep", {0})
            .set("DeleteItems", "false")
            .click("acceptButton");
        driver.start();
        const LispCallResult r = call(std::move(ArgChain().str(path).str("C").int16(3).str("A").nil().str("B")));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        QVERIFY(r.isVoid());
        QCOMPARE(readBytes(path), QByteArray("\xEF\xBB\xBF"
                                             "blockstablerep=A^\n!action!=\ntargetlayout=A\nblockstable=B^C^\n"
                                             "purgeitems=FALSE\ndeleteitems=FALSE\n"));
    }

    // The custom-block check comes first: a yes answers nil with no dialog, whatever the
    // arguments; a no lets the dialog run.
    void customBlockCheck_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<bool>("shown");
        QTest::newRow("no utility") << false << false << true;
        QTest::newRow("utility says no") << true << false << true;
        QTest::newRow("utility says yes") << true << true << false;
    }

    void customBlockCheck()
    {
        QFETCH(bool, available);
        QFETCH(bool, answer);
        QFETCH(bool, shown);
        CKvCustBlockUtils::SetAvailable(available, answer);
        const QString path = m_host->path("merge.txt");
        QVERIFY(writeBytes(path, "untouched\n"));
        const long nodes = kvLiveNodeCount();
        ModalDriver driver;
        if (shown)
            driver.expect("Dlg_QT_MergeSheets").cancel();
        driver.start();
        {
            const LispCallResult r = call(std::move(ArgChain().str(path).str("A").real(1.5)));
            KV_VERIFY_MODALS(driver);
            QCOMPARE(r.status, kvrt::Normal);
            QVERIFY(r.isNil());
        }
        QCOMPARE(kvLiveNodeCount(), nodes);
        QCOMPARE(readBytes(path), QByteArray("untouched\n"));
        if (!shown)
            QCOMPARE(call(ArgChain()).status, kvrt::Normal);
    }
};

KV_TEST_MAIN(TestMergeSheets)
#include "tst_mergesheets.moc"
