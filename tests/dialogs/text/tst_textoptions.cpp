// The option dialogs of the text tools that only pass their controls on: text numbering,
// text frame and simple-note conversion. Their enabling rules, the frame's offset field,
// and each LISP function end to end.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "dialogs/text/DLG_QT_ConvertNotes.h"
#include "dialogs/text/Dlg_QT_TextFrame.h"
#include "dialogs/text/Dlg_QT_numbertext.h"
#include "kernel/KvDocument.h"
#include "widgets/KvQtColorComboBox.h"

#include <QApplication>
#include <QLocale>

namespace {
const QByteArray Bom("\xEF\xBB\xBF");

// What an untouched dialog writes, in the order its controls were made.
const QByteArray NumberTextDefaults =
    Bom
    + "sort_x=FALSE\n!action!=\nsort_y=FALSE\nsort_select=FALSE\nsort_point=TRUE\nsort_2points=FALSE\n"
      "sent_asc_2=TRUE\nsent_des=FALSE\ntx_init=1\ntx_step=2\ncb_digits=3 [001]\ncb_digits_index=2\n"
      "placement_sufix=TRUE\nplacement_replace=FALSE\nplacement_prefix=FALSE\nplacement_over=FALSE\n";
const QByteArray TextFrameDefaults =
    Bom
    + "type_slot=TRUE\n!action!=\ntype_rectangle=FALSE\ntype_circle=FALSE\nbk_transparent=TRUE\nbk_hatch=FALSE\n"
      "color=Red\ncolor_index=0\nconstant=TRUE\nvariable=FALSE\nconstant_width=FALSE\nconstant_height=FALSE\n"
      "constant_both=TRUE\n";
const QByteArray ConvertNotesDefaults =
    Bom
    + "keepfonts=TRUE\n!action!=\nkeepcolors=TRUE\nkeepsizes=TRUE\nselect_entity=TRUE\nselect_topdow=FALSE\n"
      "select_alfa=FALSE\nword_wrap=TRUE\n";

QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to)
{
    return bytes.replace(from, to);
}
} // namespace

class TestTextOptions : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

private slots:
    void initTestCase() { registerModuleImages(); }
    void init() { m_host = std::make_unique<ModuleFixture>(1); }
    void cleanup()
    {
        m_host.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The offset takes decimal numbers as they are typed and refuses anything else at the
    // key that makes it so, an exponent included.
    void frameOffsetTakesPlainNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("exponent") << "C" << "1e3" << "13";
        QTest::newRow("capital exponent") << "C" << "2E-1" << "21";
        QTest::newRow("negative decimal") << "C" << "-2.5" << "-2.5";
        QTest::newRow("letters") << "C" << "abc" << "";
        QTest::newRow("German decimal comma") << "de_DE" << "0,75" << "0,75";
    }

    void frameOffsetTakesPlainNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        Dlg_QT_TextFrame dialog;
        dialog.show();
        QTest::keyClicks(dialog.offset, typed);
        QCOMPARE(dialog.offset->text(), shown);
    }

    // Each function writes every control on OK (with an empty action) and nothing on
    // Cancel; either way it answers as the dialog closed.
    void endToEnd_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<QStringList>("work");
        QTest::addColumn<QByteArray>("stateOut");

        QByteArray numbered = replaced(NumberTextDefaults, "sort_x=FALSE", "sort_x=TRUE");
        numbered = replaced(numbered, "sort_point=TRUE", "sort_point=FALSE");
        numbered = replaced(numbered, "cb_digits=3 [001]\ncb_digits_index=2", "cb_digits=1 [1]\ncb_digits_index=0");
        numbered = replaced(numbered, "placement_sufix=TRUE\nplacement_replace=FALSE",
                            "placement_sufix=FALSE\nplacement_replace=TRUE");
        numbered += "search=#\nformat_prefix=A-\nformat_sufix=/b\n";
        QTest::newRow("numbering with replace")
            << "Dlg_NumberText" << "Dlg_QT_numbertext"
            << QStringList{"click sort_x", "set cb_digits 1 [1]", "click placement_replace", "set search #",
                           "set format_prefix A-", "set format_sufix /b", "click acceptButton"}
            << numbered;
        QTest::newRow("numbering cancelled") << "Dlg_NumberText" << "Dlg_QT_numbertext"
                                             << QStringList{"click sort_y", "click ButtonCancel"} << QByteArray();

        QByteArray framed = replaced(TextFrameDefaults, "type_slot=TRUE", "type_slot=FALSE");
        framed = replaced(framed, "type_circle=FALSE", "type_circle=TRUE");
        framed = replaced(framed, "bk_transparent=TRUE\nbk_hatch=FALSE\ncolor=Red\ncolor_index=0",
                          "bk_transparent=FALSE\nbk_hatch=TRUE\ncolor=Green\ncolor_index=2");
        framed = replaced(framed, "constant=TRUE", "offset=1.25\nconstant=TRUE");
        QTest::newRow("frame hatched circle")
            << "Dlg_TextFrame" << "Dlg_QT_TextFrame"
            << QStringList{"click type_circle", "click bk_hatch", "set color Green", "set offset 1.25",
                           "click acceptButton"}
            << framed;
        QTest::newRow("frame cancelled") << "Dlg_TextFrame" << "Dlg_QT_TextFrame" << QStringList{"cancel"}
                                         << QByteArray();

        QByteArray notes = replaced(ConvertNotesDefaults, "keepsizes=TRUE", "keepsizes=FALSE");
        notes = replaced(notes, "select_entity=TRUE\nselect_topdow=FALSE\nselect_alfa=FALSE",
                         "select_entity=FALSE\nselect_topdow=FALSE\nselect_alfa=TRUE");
        notes = replaced(notes, "word_wrap=TRUE", "word_wrap=FALSE");
        QTest::newRow("notes alphabetical")
            << "Dlg_convertsimplesnotes" << "DLG_QT_ConvertNotes"
            << QStringList{"set keepsizes false", "click select_alfa", "set word_wrap false", "click acceptButton"}
            << notes;
        QTest::newRow("notes cancelled") << "Dlg_convertsimplesnotes" << "DLG_QT_ConvertNotes"
                                         << QStringList{"click ButtonCancel"} << QByteArray();
    }

    void endToEnd()
    {
        QFETCH(QString, function);
        QFETCH(QString, dialogClass);
        QFETCH(QStringList, work);
        QFETCH(QByteArray, stateOut);
        const QString path = m_host->path("options.txt");
        const QByteArray stateIn("keep=me\ntx_init=99\ntype_circle=TRUE\nkeepfonts=FALSE\n");
        QVERIFY(writeBytes(path, stateIn));
        ModalDriver driver;
        ModalScript script;
        QString errors;
        QVERIFY2(ModalScript::parse(dialogClass + "\n  " + work.join("\n  ") + "\n", "work", &script, &errors),
                 qPrintable(errors));
        driver.setScript(script);
        driver.start();
        const LispCallResult r = callLisp(m_host->document(0), function, std::move(ArgChain().str(path)));
        KV_VERIFY_MODALS(driver);
        QCOMPARE(r.status, kvrt::Normal);
        if (stateOut.isEmpty()) {
            QVERIFY(r.isNil());
            QCOMPARE(readBytes(path), stateIn);
        } else {
            QVERIFY(r.isVoid());
            QCOMPARE(readBytes(path), stateOut);
        }
    }

    // These dialogs keep what the user chose last; a state file saying otherwise changes
    // nothing on screen.
    void keepTheLastChoiceNotTheStateFile_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("dialogClass");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QByteArray>("stateLine");
        QTest::newRow("numbering") << "Dlg_NumberText" << "Dlg_QT_numbertext" << "tx_step" << "7"
                                   << QByteArray("tx_step=3\n");
        QTest::newRow("numbering placement") << "Dlg_NumberText" << "Dlg_QT_numbertext" << "placement_over" << "true"
                                             << QByteArray("placement_over=FALSE\nplacement_sufix=TRUE\n");
        QTest::newRow("frame") << "Dlg_TextFrame" << "Dlg_QT_TextFrame" << "offset" << "4.5"
                               << QByteArray("offset=1\n");
        QTest::newRow("notes") << "Dlg_convertsimplesnotes" << "DLG_QT_ConvertNotes" << "keepcolors" << "false"
                               << QByteArray("keepcolors=TRUE\n");
    }

    void keepTheLastChoiceNotTheStateFile()
    {
        QFETCH(QString, function);
        QFETCH(QString, dialogClass);
        QFETCH(QString, control);
        QFETCH(QString, chosen);
        QFETCH(QByteArray, stateLine);
        const QString path = m_host->path("options.txt");
        QVERIFY(writeBytes(path, ""));
        {
            ModalDriver driver;
            driver.expect(dialogClass).set(control, chosen).click("acceptButton");
            driver.start();
            QCOMPARE(callLisp(m_host->document(0), function, std::move(ArgChain().str(path))).status, kvrt::Normal);
            KV_VERIFY_MODALS(driver);
        }
        QVERIFY(writeBytes(path, stateLine));
        ModalDriver driver;
        driver.expect(dialogClass).expectValue(control, chosen).cancel();
        driver.start();
        QCOMPARE(callLisp(m_host->document(0), function, std::move(ArgChain().str(path))).status, kvrt::Normal);
        KV_VERIFY_MODALS(driver);
    }
};

KV_TEST_MAIN(TestTextOptions)
#include "tst_textoptions.moc"
