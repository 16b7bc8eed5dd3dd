// The text mask dialog: its offset check, the drawing setting it holds (followed across two
// documents) and Dlg_TextMask end to end.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/text/Dlg_QT_TextMask.h"
#include "exchange/DialogState.h"
#include "kernel/KvDocument.h"
#include "module/DialogRegistry.h"
#include "module/HostServices.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

namespace {
short setting(CKvDocument* document)
{
    short value = -1;
    HostServices::drawingSetting(document, Dlg_QT_TextMask::settingName(), &value);
    return value;
}

void setSetting(CKvDocument* document, short value)
{
    QVERIFY(HostServices::setDrawingSetting(document, Dlg_QT_TextMask::settingName(), value));
}
} // namespace

class TestTextMask : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

    // Runs Dlg_TextMask in the document with the driver's script; returns the status.
    int run(CKvDocument* document, ModalDriver& driver, const QString& path)
    {
        m_host->documents()->ActivateDocument(document);
        driver.start();
        const LispCallResult r = callLisp(document, "Dlg_TextMask", std::move(ArgChain().str(path)));
        driver.stop();
        return r.status;
    }

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup()
    {
        m_host.reset();
        QLocale::setDefault(QLocale::c());
    }

    // OK takes a number not below 0 in the default locale's format; anything else gets the
    // warning and the dialog stays open with the text as typed.
    void offsetCheck_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("zero") << "C" << "0" << true;
        QTest::newRow("decimal") << "C" << "1.5" << true;
        QTest::newRow("exponent") << "C" << "2e1" << true;
        QTest::newRow("negative") << "C" << "-0.5" << false;
        QTest::newRow("empty") << "C" << "" << false;
        QTest::newRow("blanks") << "C" << "  " << false;
        QTest::newRow("text") << "C" << "one" << false;
        QTest::newRow("infinite") << "C" << "inf" << false;
        QTest::newRow("not a number") << "C" << "nan" << false;
        QTest::newRow("German comma") << "de_DE" << "0,5" << true;
        QTest::newRow("German negative") << "de_DE" << "-0,5" << false;
    }

    void offsetCheck()
    {
        QFETCH(QString, locale);
        QFETCH(QString, offset);
        QFETCH(bool, accepted);
        QLocale::setDefault(QLocale(locale));
        Dlg_QT_TextMask dialog;
        // Shown without modality, so that the driver sees only the message box.
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        dialog.offset->setText(offset);
        QString informative;
        // Without a block, any message box fails the driver (and is closed).
        ModalDriver driver;
        if (!accepted)
            driver.expect("QMessageBox")
                .expectText("Wrong dimension value.")
                .run([&](QWidget* w) { informative = static_cast<QMessageBox*>(w)->informativeText(); })
                .click("OK");
        driver.start();
        dialog.acceptButton->click();
        KV_VERIFY_MODALS(driver);
        QCOMPARE(dialog.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        if (accepted)
            return;
        QCOMPARE(informative, QStringLiteral("Must be positive or zero."));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.offset->text(), offset);
    }

    void entityType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("background");
        QTest::addColumn<bool>("zeroed");
        QTest::newRow("mask") << "type_mask" << false << true;
        QTest::newRow("3D face") << "type_3dface" << false << false;
        QTest::newRow("solid") << "type_solid" << true << false;
    }

    // The background is a solid's alone; the drawing setting is 0 only while "Mask" is chosen.
    void entityType()
    {
        QFETCH(QString, type);
        QFETCH(bool, background);
        QFETCH(bool, zeroed);
        CKvDocument* document = m_host->document(0);
        setSetting(document, 2);
        Dlg_QT_TextMask dialog;
        dialog.show();
        QCOMPARE(setting(document), short(0));
        dialog.type_solid->click();
        dialog.findChild<QRadioButton*>(type)->click();
        QCOMPARE(dialog.groupback->isEnabled(), background);
        QCOMPARE(setting(document), zeroed ? short(0) : short(2));
    }

    // Each document's dialog holds its own drawing's value and gives it back to that
    // drawing, whichever document is active when the dialog goes.
    void settingFollowsItsOwnDrawing()
    {
        CKvDocument* a = m_host->document(0);
        CKvDocument* b = m_host->newDocument();
        setSetting(a, 2);
        setSetting(b, 1);
        const QString path = m_host->path("mask.txt");

        // In A: "Mask" (the default) zeroes A only; "3D Face" restores it; OK with "Mask".
        ModalDriver inA;
        short duringMask = -1, duringFace = -1, bDuring = -1;
        inA.expect("Dlg_QT_TextMask")
            .run([&](QWidget*) { duringMask = setting(a); bDuring = setting(b); })
            .click("type_3dface")
            .run([&](QWidget*) { duringFace = setting(a); })
            .click("type_mask")
            .click("acceptButton");
        QCOMPARE(run(a, inA, path), kvrt::Normal);
        KV_VERIFY_MODALS(inA);
        QCOMPARE(duringMask, short(0));
        QCOMPARE(bDuring, short(1));
        QCOMPARE(duringFace, short(2));
        QCOMPARE(setting(a), short(0)); // stays 0 after the dialog closed with "Mask"

        // In B: its own dialog reads 1, zeroes B, leaves A alone.
        ModalDriver inB;
        inB.expect("Dlg_QT_TextMask").click("type_solid").click("ButtonCancel");
        QCOMPARE(run(b, inB, path), kvrt::Normal);
        KV_VERIFY_MODALS(inB);
        QCOMPARE(setting(b), short(1));
        QCOMPARE(setting(a), short(0));
        ModalDriver againInB;
        againInB.expect("Dlg_QT_TextMask").click("type_mask").click("acceptButton");
        QCOMPARE(run(b, againInB, m_host->path("maskB.txt")), kvrt::Normal);
        KV_VERIFY_MODALS(againInB);
        QCOMPARE(setting(b), short(0));

        // A's dialog goes with A while B is active: A gets 2 back, B keeps 0. The module
        // destroys A's dialogs when A's drawing detaches; a reactor added after it looks then.
        struct DetachWatch : CKvDocumentManagerReactor
        {
            CKvDocument* watched = nullptr;
            short seen = -1;
            void DatabaseDetached(CKvDocument* document) override
            {
                if (document == watched)
                    seen = setting(document);
            }
        } watch;
        watch.watched = a;
        m_host->documents()->AddReactor(&watch);
        m_host->documents()->ActivateDocument(b);
        const auto* recordA = DialogRegistry::recordFor(a);
        QVERIFY(recordA);
        QPointer<QDialog> dialogA = recordA->dialogs[std::size_t(DialogSlot::TextMask)];
        QVERIFY(dialogA);
        m_host->documents()->CloseDocument(a);
        m_host->documents()->RemoveReactor(&watch);
        QVERIFY(dialogA.isNull());
        QCOMPARE(watch.seen, short(2));
        QCOMPARE(setting(b), short(0));
    }

    // A dialog whose document is gone, or whose drawing was replaced, writes nowhere.
    void aReplacedDrawingIsLeftAlone()
    {
        CKvDocument* a = m_host->document(0);
        setSetting(a, 2);
        auto* dialog = new Dlg_QT_TextMask;
        dialog->show();
        QCOMPARE(setting(a), short(0));
        a->SetDatabase(std::make_unique<CKvDatabase>());
        setSetting(a, 1);
        QCOMPARE(dialog->settingDocument(), nullptr);
        dialog->type_solid->click();
        delete dialog;
        QCOMPARE(setting(a), short(1));
    }

    // Stored values are applied on every show, so each call shows what the file says.
    void appliesTheStateFileEveryTime()
    {
        const QString path = m_host->path("mask.txt");
        QVERIFY(writeBytes(path, "offset=2.5\ntype_3dface=TRUE\n"));
        ModalDriver first;
        first.expect("Dlg_QT_TextMask").expectValue("offset", "2.5").expectValue("type_3dface", "true")
            .set("offset", "9").click("acceptButton");
        QCOMPARE(run(m_host->document(0), first, path), kvrt::Normal);
        KV_VERIFY_MODALS(first);

        QVERIFY(writeBytes(path, "offset=0.25\ntype_solid=TRUE\ncolor=Blue\n"));
        ModalDriver second;
        second.expect("Dlg_QT_TextMask")
            .expectValue("offset", "0.25")
            .expectEnabled("groupback", true)
            .expectValue("color", "Blue")
            .click("acceptButton");
        QCOMPARE(run(m_host->document(0), second, path), kvrt::Normal);
        KV_VERIFY_MODALS(second);
        QCOMPARE(readBytes(path), QByteArray("\xEF\xBB\xBF"
                                             "offset=0.25\n!action!=\ntype_mask=FALSE\ntype_3dface=FALSE\n"
                                             "type_solid=TRUE\ncolor=Blue\ncolor_index=4\n"));
    }
};

KV_TEST_MAIN(TestTextMask)
#include "tst_textmask.moc"
