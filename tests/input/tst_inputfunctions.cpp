// The LISP input functions called through a document's LISP context, answered from a script:
// results, statuses and what the host was asked.
#include "LispCall.h"
#include "PlatformFixture.h"
#include "ScriptedInput.h"
#include "TestEnvironment.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"
#include "kernel/lisp/KvLispEngine.h"
#include "module/LispFunctionTable.h"

#include <QApplication>
#include <cmath>

class TestInputFunctions : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    std::unique_ptr<ScriptedInput> m_input;
    CKvDocument* m_document = nullptr;
    OdDbObjectId m_line, m_circle, m_text, m_wallLine;

    OdDbBlockTableRecord* modelSpace() const
    {
        return dynamic_cast<OdDbBlockTableRecord*>(m_document->GetKvDatabase()->getModelSpaceId().openObject());
    }

    OdDbObjectId addLine(double x0, double y0, double x1, double y1, const QString& layer)
    {
        auto line = std::make_unique<OdDbLine>();
        line->start = {x0, y0, 0};
        line->end = {x1, y1, 0};
        line->layer = layer;
        return modelSpace()->appendEntity(std::move(line));
    }

    LispCallResult call(const QString& name, ArgChain&& args = ArgChain())
    {
        return callLisp(m_document, name, std::move(args));
    }
    // For chains built in place: ArgChain().str(...) hands back a reference.
    LispCallResult call(const QString& name, ArgChain& args)
    {
        return callLisp(m_document, name, std::move(args));
    }

    // The entity name of an object as the functions hand it back.
    QString nameOf(const OdDbObjectId& id) const
    {
        int64_t name[2] = {0, 0};
        CKvAPI::GetADSName(id, name);
        return QStringLiteral("<ename %1>").arg(name[0]);
    }

    ArgChain entSel(const QString& keywords, const QString& message = "msg", const QString& prompt = "Select object")
    {
        return std::move(ArgChain().str(keywords).str(message).str(prompt));
    }

    ArgChain ssget(const QString& keywords, bool single, int number = 0)
    {
        ArgChain c;
        c.str(keywords).str("Choose").str("Select").str("Remove");
        if (number > 32767)
            c.int32(number);
        else
            c.int16(short(number));
        if (single)
            c.t();
        else
            c.nil();
        return c;
    }

private slots:
    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        m_document = m_host->document(0);
        LispFunctionTable::defineAll(m_document);
        m_input = std::make_unique<ScriptedInput>(m_document);
        m_line = addLine(0, 0, 10, 0, "0");
        dynamic_cast<OdDbEntity*>(m_line.openObject())->colorIndex = 1;
        auto circle = std::make_unique<OdDbCircle>();
        circle->center = {20, 0, 0};
        circle->radius = 2;
        circle->layer = "Walls";
        m_circle = modelSpace()->appendEntity(std::move(circle));
        auto text = std::make_unique<OdDbText>();
        text->position = {0, 10, 0};
        text->text = "Date: %<\\AcVar Date>%";
        text->setHasFields(true);
        m_text = modelSpace()->appendEntity(std::move(text));
        m_wallLine = addLine(30, 0, 40, 0, "Walls");
        // Module-wide state of the family starts clean.
        call("initgetKorvane");
    }

    void cleanup()
    {
        m_input.reset();
        m_host.reset();
    }

    // --- QUOR_EntSel

    void entSel_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("printed"); // ENAME stands for the line's name

        QTest::newRow("pick") << "" << "5,0" << "((5 0 0) ENAME)";
        QTest::newRow("keyword") << "Undo,Exit" << "ex" << "\"Exit\"";
        QTest::newRow("cancel") << "Undo" << "<Esc>" << "\"CANCEL\"";
        QTest::newRow("Enter") << "" << "<Enter>" << "nil";
    }

    void entSel()
    {
        QFETCH(QString, keywords);
        QFETCH(QString, answer);
        QFETCH(QString, printed);
        answer.replace("LINE", QString::number(m_line.handle(), 16));
        printed.replace("ENAME", nameOf(m_line));
        m_input->add(answer);
        const LispCallResult r = call("QUOR_EntSel", entSel(keywords));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.printed(), printed);
        const KvPromptRequest& request = m_input->lastRequest();
        QCOMPARE(request.kind, KvPromptRequest::Entity);
        QCOMPARE(QString(request.prompt), keywords.isEmpty() ? QStringLiteral("Select object: ")
                                                            : QStringLiteral("Select object or [%1]: ").arg(QString(keywords).replace(',', '/')));
        QCOMPARE(m_input->messages(), QStringList{"msg"});
    }

    void entSelKeywordSetUp_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("empty parts kept") << "A,,B," << QStringList{"A", "", "B", ""};
        QTest::newRow("one") << "Exit" << QStringList{"Exit"};
        QTest::newRow("none") << "" << QStringList();
        QTest::newRow("only a comma") << "," << QStringList{"", ""};
    }

    void entSelKeywordSetUp()
    {
        QFETCH(QString, keywords);
        QFETCH(QStringList, list);
        m_input->add("<Esc>");
        call("QUOR_EntSel", entSel(keywords));
        QCOMPARE(m_input->keywordSetUps().size(), 1);
        QCOMPARE(m_input->keywordSetUps().first().flags, 0);
        QCOMPARE(m_input->keywordSetUps().first().globalNames, list);
        QCOMPARE(m_input->keywordSetUps().first().localNames, list);
    }

    // --- QUOR_ssget

    // First pass starts fresh, the second adds; the message is handed over once.
    void ssgetPasses()
    {
        m_input->add({"5,0", "<Enter>", "22,0", "<Enter>", "35,0"});
        QCOMPARE(call("QUOR_ssget", ssget("", false)).status, 5100);
        QCOMPARE(m_input->requests().first().arguments[2], 1);
        QCOMPARE(m_input->requests().last().arguments[2], 0);
        QCOMPARE(m_input->messages(), QStringList{"Choose"});
        QCOMPARE(QString(m_input->requests().first().prompt), QStringLiteral("Select: "));
        QCOMPARE(QString(m_input->requests().first().removePrompt), QStringLiteral("Remove: "));
    }

    void ssgetOutcomes_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("printed"); // LINE and CIRCLE stand for the entities' names
        QTest::addColumn<int>("remaining");
        QTest::newRow("two passes") << "" << false << QStringList{"5,0", "<Enter>", "22,0", "<Enter>", "35,0"}
                                    << "(LINE CIRCLE)" << 1;
        QTest::newRow("Enter in the second pass keeps the first") << "" << false << QStringList{"5,0", "<Enter>", "<Enter>"}
                                                                  << "(LINE)" << 0;
        QTest::newRow("single pass") << "" << true << QStringList{"5,0", "22,0", "<Enter>", "35,0"} << "(LINE CIRCLE)" << 1;
        QTest::newRow("Enter at the first prompt: no value") << "" << false << QStringList{"<Enter>", "5,0"} << "<void>" << 1;
        QTest::newRow("cancel") << "" << false << QStringList{"5,0", "<Esc>"} << "nil" << 0;
        QTest::newRow("cancel in the second pass") << "" << false << QStringList{"5,0", "<Enter>", "<Esc>"} << "nil" << 0;
        QTest::newRow("keyword") << "Undo,Mode" << false << QStringList{"mo"} << "\"Mode\"" << 0;
        QTest::newRow("script runs dry") << "" << false << QStringList{"5,0"} << "nil" << 0;
    }

    void ssgetOutcomes()
    {
        QFETCH(QString, keywords);
        QFETCH(bool, single);
        QFETCH(QStringList, answers);
        QFETCH(QString, printed);
        m_input->add(answers);
        const LispCallResult r = call("QUOR_ssget", ssget(keywords, single));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.isVoid() ? QStringLiteral("<void>") : r.printed(),
                 printed.replace("LINE", nameOf(m_line)).replace("CIRCLE", nameOf(m_circle)));
        QTEST(m_input->remaining(), "remaining");
        if (!keywords.isEmpty()) {
            QCOMPARE(m_input->keywordSetUps().first().flags, 2);
            QCOMPARE(m_input->keywordSetUps().first().globalNames, keywords.split(','));
        }
    }

    void ssgetNumberIsSixteenBits_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("passed");
        QTest::newRow("short") << 12 << 12;
        QTest::newRow("70000") << 70000 << 4464;
        QTest::newRow("40000") << 40000 << -25536;
    }

    void ssgetNumberIsSixteenBits()
    {
        QFETCH(int, number);
        m_input->add("<Esc>");
        call("QUOR_ssget", ssget("", true, number));
        QTEST(m_input->lastRequest().arguments[3], "passed");
    }

    // --- QUOR_ssget_filter

    void ssgetFilter_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("picked"); // l line, c circle, w wall line, t text; "nil"; "blank"; "none": no value

        QTest::newRow("layer then type") << "S:X|S:Pick|S:|I:8|S:walls|S:circle" << QStringList() << "c";
        QTest::newRow("second string is the type") << "S:X|S:Pick|S:|I:8|S:walls|S:line" << QStringList() << "w";
        QTest::newRow("trailing short adds nothing") << "S:X|S:Pick|S:|S:LINE|I:8" << QStringList() << "lw";
        QTest::newRow("three arguments: no filter") << "S:X|S:Pick|S:" << QStringList() << "lctw";
        QTest::newRow("other items skipped") << "S:X|S:Pick|S:|R:1.5|P:1,2,3|N|S:CIRCLE" << QStringList() << "c";
        QTest::newRow("interactive") << "S:|S:Pick|S:" << QStringList{"5,0", "22,0", "<Enter>"} << "lc";
        QTest::newRow("cancel") << "S:|S:Pick|S:" << QStringList{"<Esc>"} << "blank";
        QTest::newRow("keyword") << "S:|S:Pick|S:Undo" << QStringList{"undo"} << "nil";
        QTest::newRow("unknown mode") << "S:?|S:Pick|S:" << QStringList() << "nil";
        QTest::newRow("colour is a number") << "S:X|S:Pick|S:|I:62|S:1" << QStringList() << "l";
        QTest::newRow("OR group") << "S:X|S:Pick|S:|I:-4|S:<OR|I:62|S: 1 |I:8|S:walls|I:-4|S:OR>" << QStringList() << "lcw";
        QTest::newRow("group never closed selects nothing") << "S:X|S:Pick|S:|I:-4|S:<OR|S:LINE" << QStringList() << "nil";
        QTest::newRow("colour that is no number") << "S:X|S:Pick|S:|I:62|S:red" << QStringList() << "none";
        QTest::newRow("code of no group") << "S:X|S:Pick|S:|I:-4|S:<OR|I:5006|S:x" << QStringList() << "none";
    }

    void ssgetFilter()
    {
        QFETCH(QString, args);
        QFETCH(QStringList, answers);
        QFETCH(QString, picked);
        m_input->add(answers);
        const long before = kvLiveNodeCount();
        {
            const LispCallResult r = call("QUOR_ssget_filter", chainFrom(args));
            QCOMPARE(r.status, 5100);
            QCOMPARE(r.kind == CKvLispContext::ResultKind::NotSet, picked == "none");
            QCOMPARE(m_input->remaining(), 0);
            QString expected;
            if (picked == "none")
                expected = r.printed();
            else if (picked == "nil")
                expected = "nil";
            else if (picked == "blank")
                expected = "\" \"";
            else {
                QStringList names;
                for (QChar c : picked)
                    names << nameOf(c == 'l' ? m_line : c == 'c' ? m_circle : c == 't' ? m_text : m_wallLine);
                expected = "(" + names.join(' ') + ")";
            }
            QCOMPARE(r.printed(), expected);
        }
        QCOMPARE(kvLiveNodeCount(), before);
    }

    void ssgetFilterPrompts_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("no keywords") << "" << 0 << QStringList() << "Pick: ";
        QTest::newRow("keywords") << "Undo,,All" << 2 << QStringList{"Undo", "", "All"} << "Pick or [Undo/All]: ";
    }

    void ssgetFilterPrompts()
    {
        QFETCH(QString, keywords);
        m_input->add("<Esc>");
        call("QUOR_ssget_filter", ArgChain().str("").str("Pick").str(keywords));
        QTEST(m_input->keywordSetUps().first().flags, "flags");
        QTEST(m_input->keywordSetUps().first().globalNames, "list");
        QTEST(QString(m_input->lastRequest().prompt), "prompt");
        QCOMPARE(QString(m_input->lastRequest().removePrompt), QStringLiteral("\nRemove entities: "));
    }

    // --- QUOR_entfield

    void entfield_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::newRow("text with a field") << "text" << 5100 << "T";
        QTest::newRow("line") << "line" << 5100 << "nil";
        // The engine knows no status 0: a bad argument is an error like a bad name.
        QTest::newRow("not a name") << "string" << -5001 << "nil";
        QTest::newRow("nothing") << "none" << -5001 << "nil";
        QTest::newRow("made-up name") << "garbage" << -5001 << "nil";
        QTest::newRow("erased") << "erased" << -5001 << "nil";
    }

    void entfield()
    {
        QFETCH(QString, which);
        int64_t name[2] = {0, 0};
        CKvAPI::GetADSName(which == "text" ? m_text : m_line, name);
        ArgChain args;
        if (which == "string")
            args.str("x");
        else if (which == "garbage")
            args.ename(77, 0x5eed);
        else if (which != "none")
            args.ename(name[0], name[1]);
        if (which == "erased")
            m_line.openObject()->setErased(true);
        const LispCallResult r = call("QUOR_entfield", std::move(args));
        QTEST(r.status, "status");
        QTEST(r.printed(), "printed");
    }

    // --- QUOR_getpoint

    void getpointBase_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("base2");
        QTest::addColumn<bool>("hasBase");
        QTest::addColumn<double>("x");
        QTest::newRow("none") << "N" << "N" << false << 0.0;
        QTest::newRow("fourth") << "P:1,2,3" << "N" << true << 1.0;
        QTest::newRow("sixth") << "N" << "P:4,5,6" << true << 4.0;
        QTest::newRow("sixth overrides") << "P:1,2,3" << "P:4,5,6" << true << 4.0;
    }

    void getpointBase()
    {
        QFETCH(QString, base);
        QFETCH(QString, base2);
        m_input->add("@1,0");
        const LispCallResult r = call("QUOR_getpoint", chainFrom("I:0|S:|S:msg|" + base + "|S:Pick a point|" + base2));
        QCOMPARE(r.status, 5100);
        const KvPromptRequest& request = m_input->lastRequest();
        QTEST(request.hasBase, "hasBase");
        QFETCH(double, x);
        if (request.hasBase)
            QCOMPARE(request.base[0], x);
        QCOMPARE(QString(request.prompt), QStringLiteral("Pick a point: "));
        QCOMPARE(m_input->messages(), QStringList{"msg"});
        QCOMPARE(r.printed(), QStringLiteral("(%1 %2 %3)").arg(x + 1).arg(request.hasBase ? request.base[1] : 0).arg(request.hasBase ? request.base[2] : 0));
    }

    void getpointAnswers_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<int>("setUps");
        const QString tail = "|S:msg|N|S:Point|N";
        QTest::newRow("point") << "I:0|S:" + tail << "10,5" << "(10 5 0)" << 0;
        QTest::newRow("keyword") << "I:0|S:Left,Right" + tail << "r" << "\"Right\"" << 1;
        QTest::newRow("cancel") << "I:0|S:" + tail << "<Esc>" << "nil" << 0;
        QTest::newRow("Enter gives no value") << "I:0|S:" + tail << "<Enter>" << "" << 0;
        QTest::newRow("arbitrary text as keyword") << "I:128|S:A" + tail << "hello" << "\"hello\"" << 1;
    }

    void getpointAnswers()
    {
        QFETCH(QString, args);
        QFETCH(QString, answer);
        m_input->add(answer);
        const LispCallResult r = call("QUOR_getpoint", chainFrom(args));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QTEST(m_input->keywordSetUps().size(), "setUps");
    }

    void getpointFlagsAreSixteenBits()
    {
        m_input->add("<Esc>");
        call("QUOR_getpoint", chainFrom("L:70000|S:A|S:|N|S:P|N"));
        QCOMPARE(m_input->keywordSetUps().first().flags, 4464);
    }

    // --- QUOR_getstring and QUOR_getkword

    void getstring_data()
    {
        QTest::addColumn<QString>("sixth");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("printed");
        QTest::newRow("five arguments") << "" << "two words" << "\"two\"";
        QTest::newRow("nil") << "|N" << "two words" << "\"two\"";
        QTest::newRow("T") << "|T" << "two words" << "\"two words\"";
        QTest::newRow("other type is false") << "|I:1" << "two words" << "\"two\"";
        QTest::newRow("Enter gives the default") << "" << "<Enter>" << "\"dflt\"";
        QTest::newRow("keyword") << "" << "ye" << "\"Yes\"";
        QTest::newRow("cancel") << "" << "<Esc>" << "nil";
    }

    void getstring()
    {
        QFETCH(QString, sixth);
        QFETCH(QString, answer);
        m_input->add(answer);
        const LispCallResult r = call("QUOR_getstring", chainFrom("I:0|S:Yes,No|S:Note|S:dflt|S:Name" + sixth));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QCOMPARE(QString(m_input->lastRequest().prompt), QStringLiteral("Name or [Yes/No] <dflt>: "));
        QCOMPARE(QString(m_input->lastRequest().message), QStringLiteral("Note"));
        // The message is cleared once the prompt is over, whatever the answer.
        QCOMPARE(m_input->messages(), (QStringList{"Note", ""}));
        QCOMPARE(QString(m_document->GetUserIO()->message()), QString());
    }

    void getkword_data()
    {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<int>("setUps");
        QTest::newRow("keyword") << "Left,Right" << "ri" << "\"Right\"" << 1;
        QTest::newRow("default") << "Left,Right" << "<Enter>" << "\"Left\"" << 1;
        QTest::newRow("cancel") << "Left,Right" << "<Esc>" << "nil" << 1;
        QTest::newRow("no keywords: no set-up") << "" << "anything" << "\"anything\"" << 0;
    }

    void getkword()
    {
        QFETCH(QString, keywords);
        QFETCH(QString, answer);
        m_input->add(answer);
        const LispCallResult r = call("QUOR_getkword", ArgChain().int16(0).str(keywords).str("unused").str("Left").str("Side"));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QTEST(m_input->keywordSetUps().size(), "setUps");
        QVERIFY(m_input->messages().isEmpty());
        QVERIFY(QString(m_input->lastRequest().prompt).endsWith("<Left>: "));
    }

    // --- The prompt family

    void familyPrompts_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("keywords");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");

        QTest::newRow("real with default") << "getRealKorvane" << "Radius <5.5>" << QStringList{"<Enter>"}
                                           << "Radius <5.5000>: " << QStringList() << 5100 << "5.5";
        QTest::newRow("real typed") << "getRealKorvane" << "Radius <5.5>" << QStringList{"2.25"} << "Radius <5.5000>: "
                                    << QStringList() << 5100 << "2.25";
        QTest::newRow("real word default") << "getRealKorvane" << "Radius <auto>" << QStringList{"enter"}
                                           << "Radius or [Enter to auto]: " << QStringList{"Enter to auto"} << 5100
                                           << "\"Enter to auto\"";
        QTest::newRow("kword default answer") << "getKwordKorvane" << "Side [Left/Right] <Left>" << QStringList{"Left"}
                                              << "Side or [Left/Right] <Left>: " << QStringList{"Left", "Right"} << 5100 << "nil";
        QTest::newRow("kword Enter") << "getKwordKorvane" << "Side [Left/Right] <Left>" << QStringList{"<Enter>"}
                                     << "Side or [Left/Right] <Left>: " << QStringList{"Left", "Right"} << 5100 << "nil";
        QTest::newRow("kword other") << "getKwordKorvane" << "Side [Left/Right] <Left>" << QStringList{"r"}
                                     << "Side or [Left/Right] <Left>: " << QStringList{"Left", "Right"} << 5100 << "\"Right\"";
        QTest::newRow("kword upper-case default") << "getKwordKorvane" << "[LEFT/Right] <left>" << QStringList{"l"}
                                                  << "Specify option or [LEFT/Right] <left>: " << QStringList{"LEFT", "Right"}
                                                  << 5100 << "nil";
        QTest::newRow("kword empty message") << "getKwordKorvane" << "[Left/Right] <Left>" << QStringList{"<Esc>"}
                                             << "Specify option or [Left/Right] <Left>: " << QStringList{"Left", "Right"}
                                             << -5002 << "nil";
        QTest::newRow("int word default") << "getIntKorvane" << "Count <all>" << QStringList{"E"}
                                          << "Count or [Enter to all]: " << QStringList{"Enter to all"} << 5100
                                          << "\"Enter to all\"";
        QTest::newRow("int numeric default") << "getIntKorvane" << "Count <3>" << QStringList{"<Enter>"} << "Count <3>: "
                                             << QStringList() << 5100 << "3";
        QTest::newRow("int decimal default") << "getIntKorvane" << "Count <3.7>" << QStringList{"<Enter>"} << "Count <3>: "
                                             << QStringList() << 5100 << "3";
        QTest::newRow("int no default, Enter") << "getIntKorvane" << "Count" << QStringList{"<Enter>"} << "Count: "
                                               << QStringList() << 5100 << "nil";
        QTest::newRow("string default") << "getStringKorvane" << "Name <abc>" << QStringList{"<Enter>"} << "Name <abc>: "
                                        << QStringList() << 5100 << "\"abc\"";
        QTest::newRow("backslash-n pairs removed") << "getStringKorvane" << "\\nName\\n <abc>" << QStringList{"x"}
                                                   << "Name <abc>: " << QStringList() << 5100 << "\"x\"";
        QTest::newRow("no brackets: whole text") << "getStringKorvane" << "Just text" << QStringList{"x"} << "Just text: "
                                                 << QStringList() << 5100 << "\"x\"";
        QTest::newRow("point keyword") << "getPointKorvane" << "Base point [Center/End] <End>" << QStringList{"c"}
                                       << "Base point or [Center/End/Enter to end]: "
                                       << QStringList{"Center", "End", "Enter to end"} << 5100 << "\"Center\"";
        QTest::newRow("point typed") << "getPointKorvane" << "Base point" << QStringList{"3,4"} << "Base point: "
                                     << QStringList() << 5100 << "(3 4 0)";
        QTest::newRow("corner") << "getCornerKorvane" << "Other corner" << QStringList{"3,4"} << "Other corner: "
                                << QStringList() << 5100 << "(3 4 0)";
        QTest::newRow("distance typed") << "getDistKorvane" << "Offset <2>" << QStringList{"12.5"} << "Offset <2.0000>: "
                                        << QStringList() << 5100 << "12.5";
        QTest::newRow("distance Enter") << "getDistKorvane" << "Offset <2>" << QStringList{"<Enter>"} << "Offset <2.0000>: "
                                        << QStringList() << 5100 << "nil";
        QTest::newRow("distance no default") << "getDistKorvane" << "Offset" << QStringList{"4"} << "Offset <0.0000>: "
                                             << QStringList() << 5100 << "4";
        QTest::newRow("distance word default") << "getDistKorvane" << "Offset <Through>" << QStringList{"ent"}
                                               << "Offset or [Enter to through] <Through>: " << QStringList{"Enter to through"}
                                               << 5100 << "\"Enter to through\"";
        QTest::newRow("angle typed") << "getAngleKorvane" << "Rotation <90>" << QStringList{"180"} << "Rotation <90.00>: "
                                     << QStringList() << 5100 << QString::number(M_PI, 'g', 12);
        QTest::newRow("keyword with empty text") << "getRealKorvane" << "Size [A//B]" << QStringList{"<Esc>"}
                                                 << "Size or [A/B]: " << QStringList{"A", "", "B"} << -5002 << "nil";
        // Commas in defaults and keywords are part of the names.
        QTest::newRow("point default with a comma") << "getPointKorvane" << "Insertion point <0,0>" << QStringList{"0", "E"}
                                                    << "Insertion point or [Enter to 0,0]: " << QStringList{"Enter to 0,0"}
                                                    << 5100 << "\"Enter to 0,0\"";
        QTest::newRow("int default with a comma") << "getIntKorvane" << "Count <1,000>" << QStringList{"0"}
                                                  << "Count or [Enter to 1,000]: " << QStringList{"Enter to 1,000"} << 5100
                                                  << "0";
        QTest::newRow("keyword with a comma") << "getKwordKorvane" << "Save [Yes,Y/No]" << QStringList{"y"}
                                              << "Save or [Yes,Y/No]: " << QStringList{"Yes,Y", "No"} << 5100
                                              << "\"Yes,Y\"";
        // A default the integer prompt cannot take is shown as written and refused like typed.
        QTest::newRow("int default beyond 16 bits") << "getIntKorvane" << "Count <70000>" << QStringList{"<Enter>", "12"}
                                                    << "Count <70000>: " << QStringList() << 5100 << "12";
        QTest::newRow("int default beyond 32 bits") << "getIntKorvane" << "Count <99999999999>" << QStringList{"<Enter>", "1"}
                                                    << "Count <99999999999>: " << QStringList() << 5100 << "1";
    }

    void familyPrompts()
    {
        QFETCH(QString, function);
        QFETCH(QString, text);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, keywords);
        m_input->add(answers);
        const LispCallResult r = call(function, ArgChain().str(text));
        QTEST(r.status, "status");
        QTEST(r.printed(), "printed");
        QTEST(QString(m_input->lastRequest().prompt), "prompt");
        QCOMPARE(m_input->keywordSetUps().last().globalNames, keywords);
    }

    void familyCancel_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("printed");
        QTest::newRow("int") << "getIntKorvane" << -5002 << "nil";
        QTest::newRow("string") << "getStringKorvane" << -5002 << "nil";
        QTest::newRow("point") << "getPointKorvane" << 5100 << "nil";
        QTest::newRow("kword") << "getKwordKorvane" << -5002 << "nil";
        QTest::newRow("real") << "getRealKorvane" << -5002 << "nil";
        QTest::newRow("dist") << "getDistKorvane" << 5100 << "nil";
        QTest::newRow("corner") << "getCornerKorvane" << -5002 << "nil";
        QTest::newRow("angle") << "getAngleKorvane" << -5002 << "nil";
    }

    void familyCancel()
    {
        QFETCH(QString, function);
        m_input->add("<Esc>");
        m_document->GetLispContext()->engine().evaluate("(setq LispCanceled 1)");
        const LispCallResult r = call(function, ArgChain().str("Value [A/B] <A>"));
        QTEST(r.status, "status");
        QTEST(r.printed(), "printed");
        QCOMPARE(m_document->GetLispContext()->engine().variablePrinted("LispCanceled"), QStringLiteral("0"));
    }

    void initgetFlags_data()
    {
        QTest::addColumn<QString>("initget");
        QTest::addColumn<QString>("function");
        QTest::addColumn<int>("flags");
        QTest::newRow("short") << "I:7" << "getIntKorvane" << 7;
        QTest::newRow("long kept whole") << "L:70000|S:A B" << "getRealKorvane" << 70000;
        QTest::newRow("nothing clears") << "" << "getIntKorvane" << 0;
        QTest::newRow("string only clears") << "S:A B" << "getIntKorvane" << 0;
        QTest::newRow("point prompt forces 0") << "I:7" << "getPointKorvane" << 0;
    }

    void initgetFlags()
    {
        QFETCH(QString, initget);
        QFETCH(QString, function);
        call("initgetKorvane", ArgChain().int16(3));
        const LispCallResult i = call("initgetKorvane", chainFrom(initget));
        QCOMPARE(i.status, 5100);
        QVERIFY(i.isNil());
        m_input->add("<Esc>");
        call(function, ArgChain().str("Value"));
        QTEST(m_input->keywordSetUps().first().flags, "flags");
    }

    // With "no null" set, Enter without a default is refused and the prompt asks again.
    void noNullAsksAgain_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("printed");
        QTest::newRow("int") << "getIntKorvane" << "3" << "3";
        QTest::newRow("real") << "getRealKorvane" << "2.5" << "2.5";
        QTest::newRow("dist") << "getDistKorvane" << "4" << "4";
        QTest::newRow("angle") << "getAngleKorvane" << "0" << "0";
        QTest::newRow("kword") << "getKwordKorvane" << "a" << "\"A\"";
        QTest::newRow("corner") << "getCornerKorvane" << "3,4" << "(3 4 0)";
    }

    void noNullAsksAgain()
    {
        QFETCH(QString, function);
        QFETCH(QString, answer);
        call("initgetKorvane", ArgChain().int16(1));
        m_input->add({"<Enter>", answer});
        const QString text = function == "getKwordKorvane" ? "Value [A/B]" : "Value";
        const LispCallResult r = call(function, ArgChain().str(text));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QCOMPARE(m_input->asked(), 2);
    }

    void pointPromptLeavesFlagsCleared()
    {
        call("initgetKorvane", ArgChain().int16(7));
        m_input->add({"<Esc>", "<Esc>"});
        call("getPointKorvane", ArgChain().str("P"));
        call("getIntKorvane", ArgChain().str("N"));
        QCOMPARE(m_input->keywordSetUps().last().flags, 0);
    }

    void userCoordinates_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<double>("baseX"); // world
        QTest::addColumn<QString>("printed");
        QTest::newRow("absolute") << "getPointKorvane" << "" << "5,5" << 0.0 << "(5 5 0)";
        QTest::newRow("relative to the base") << "getPointKorvane" << "P:1,1,0" << "@1,0" << 101.0 << "(2 1 0)";
        QTest::newRow("2D base") << "getCornerKorvane" << "P2:1,1" << "@1,1" << 101.0 << "(2 2 0)";
        QTest::newRow("distance from the base") << "getDistKorvane" << "P:0,0,0" << "3,4" << 100.0 << "5";
        QTest::newRow("QUOR_getpoint answers world") << "QUOR_getpoint" << "" << "5,5" << 0.0 << "(105 5 0)";
    }

    void userCoordinates()
    {
        QFETCH(QString, function);
        QFETCH(QString, base);
        QFETCH(QString, answer);
        m_document->SetUcsOrigin(100, 0, 0);
        m_input->add(answer);
        ArgChain args = function == "QUOR_getpoint" ? chainFrom("I:0|S:|S:|N|S:P|N")
                                                     : chainFrom(base.isEmpty() ? "S:P" : base + "|S:P");
        const LispCallResult r = call(function, std::move(args));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QFETCH(double, baseX);
        if (!base.isEmpty())
            QCOMPARE(m_input->lastRequest().base[0], baseX);
    }

    void stringFlagFromNilOrT()
    {
        m_input->add({"two words", "two words"});
        QCOMPARE(call("getStringKorvane", ArgChain().t().str("Name")).printed(), QStringLiteral("\"two words\""));
        QCOMPARE(call("getStringKorvane", ArgChain().nil().str("Name")).printed(), QStringLiteral("\"two\""));
    }

    // --- acet-ss-drag-move

    QString keptSet()
    {
        // A selection set the LISP engine knows by name, holding the line.
        m_input->add({"5,0", "<Enter>"});
        const std::u16string p1 = u"Select: ", p2 = u"Remove: ";
        const char16_t* const prompts[2] = {p1.c_str(), p2.c_str()};
        int64_t name[2] = {0, 0};
        m_document->GetLispContext()->Select("", prompts, nullptr, nullptr, name);
        m_input->clearRecords();
        return QStringLiteral("SS:%1").arg(name[0]);
    }

    void dragOnlyASet()
    {
        const QString set = keptSet();
        const LispCallResult r = call("acet-ss-drag-move", chainFrom(set));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.kind, CKvLispContext::ResultKind::NotSet);
        QCOMPARE(m_input->asked(), 0);
    }

    void dragMove()
    {
        const QString set = keptSet();
        m_input->add({"<Move @3,0>", "@10,5"});
        const LispCallResult r = call("acet-ss-drag-move", chainFrom(set + "|P:1,1,0"));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.printed(), QStringLiteral("(11 6 0)"));
        QCOMPARE(QString(m_input->lastRequest().prompt), QStringLiteral("Specify last point: "));
        QCOMPARE(m_input->lastRequest().kind, KvPromptRequest::Drag);
        const ScriptedInput::Matrix& m = m_input->dragMatrices().last();
        QCOMPARE(m[0][3], 10.0);
        QCOMPARE(m[1][3], 5.0);
        QCOMPARE(m[2][3], 0.0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(m[i][i], 1.0);
        QCOMPARE(m[3][0] + m[3][1] + m[3][2] + m[0][1] + m[1][0], 0.0);
        QCOMPARE(m_input->dragMatrices().at(1)[0][3], 3.0);
        QCOMPARE(m_input->draggedIds(), QVector<OdDbObjectId>{m_line});
        QCOMPARE(m_input->dragEnds(), 1);
        QCOMPARE(m_input->keywordSetUps().first().flags, 0);
    }

    void dragKeepsTheBasePoint()
    {
        const QString set = keptSet();
        m_input->add({"<Esc>", "@1,0"});
        call("acet-ss-drag-move", chainFrom(set + "|P:7,8,0"));
        const LispCallResult r = call("acet-ss-drag-move", chainFrom(set + "|N|S:Where"));
        QCOMPARE(r.printed(), QStringLiteral("(8 8 0)"));
        QCOMPARE(m_input->lastRequest().base[0], 7.0);
        // The default prompt: a nil base ends the reading of arguments.
        QCOMPARE(QString(m_input->lastRequest().prompt), QStringLiteral("Specify last point: "));
        QCOMPARE(m_input->dragMatrices().last()[0][3], 1.0);
    }

    void dragKeepsTheBaseInUserCoordinates()
    {
        const QString set = keptSet();
        m_document->SetUcsOrigin(100, 0, 0);
        m_input->add({"<Esc>", "@0,0"});
        call("acet-ss-drag-move", chainFrom(set + "|P:1,0,0"));
        call("acet-ss-drag-move", chainFrom(set + "|S:not a point"));
        QCOMPARE(m_input->lastRequest().base[0], 101.0);
        QCOMPARE(m_input->dragMatrices().last()[0][3], 0.0);
    }

    void dragOptions_data()
    {
        QTest::addColumn<QString>("rest");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("printed");
        QTest::newRow("prompt with keywords") << "|S:\nWhere [Base/Copy] <Base>" << "co" << "Where or [Base/Copy]: " << "\"Copy\"";
        QTest::newRow("keywords argument") << "|S:Where|N|I:1|S:Rotate Scale" << "sc" << "Where: " << "\"Scale\"";
        QTest::newRow("text typed") << "|S:Where|N|S:Rotate" << "hello" << "Where: " << "\"hello\"";
        QTest::newRow("Enter") << "|S:Where" << "<Enter>" << "Where: " << "nil";
        QTest::newRow("cancel") << "|S:Where" << "<Esc>" << "Where: " << "nil";
        QTest::newRow("nil prompt") << "|N|N|I:0|S:Rotate" << "rot" << "Specify last point: " << "\"Rotate\"";
    }

    void dragOptions()
    {
        QFETCH(QString, rest);
        QFETCH(QString, answer);
        const QString set = keptSet();
        m_input->add(answer);
        const LispCallResult r = call("acet-ss-drag-move", chainFrom(set + "|P:0,0,0" + rest));
        QCOMPARE(r.status, 5100);
        QTEST(r.printed(), "printed");
        QTEST(QString(m_input->lastRequest().prompt), "prompt");
        QCOMPARE(m_input->dragEnds(), 1);
    }

    void dragUnknownSet()
    {
        m_input->add("1,1");
        const LispCallResult r = call("acet-ss-drag-move", chainFrom("SS:987654|P:0,0,0"));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.printed(), QStringLiteral("nil"));
        QCOMPARE(m_input->asked(), 0);
        QCOMPARE(m_input->dragEnds(), 1);
    }

    void missingArgumentsAskNothing_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("args");
        QTest::newRow("EntSel two strings") << "QUOR_EntSel" << "S:|S:";
        QTest::newRow("ssget without single") << "QUOR_ssget" << "S:|S:|S:|S:|I:0";
        QTest::newRow("ssget real number") << "QUOR_ssget" << "S:|S:|S:|S:|R:1|N";
        QTest::newRow("filter two strings") << "QUOR_ssget_filter" << "S:|S:";
        QTest::newRow("getpoint 2D base") << "QUOR_getpoint" << "I:0|S:|S:|P2:1,2|S:p|N";
        QTest::newRow("getpoint five") << "QUOR_getpoint" << "I:0|S:|S:|N|S:p";
        QTest::newRow("getpoint real flags") << "QUOR_getpoint" << "R:0|S:|S:|N|S:p|N";
        QTest::newRow("getstring four") << "QUOR_getstring" << "I:0|S:|S:|S:";
        QTest::newRow("getkword four") << "QUOR_getkword" << "I:0|S:|S:|S:";
        QTest::newRow("family no prompt") << "getIntKorvane" << "P:1,2,3";
        QTest::newRow("family prompt not a string") << "getRealKorvane" << "I:5";
        QTest::newRow("family nothing") << "getAngleKorvane" << "";
        QTest::newRow("drag no base") << "acet-ss-drag-move" << "SS:1";
        QTest::newRow("drag no set") << "acet-ss-drag-move" << "P:1,2,3";
    }

    void missingArgumentsAskNothing()
    {
        QFETCH(QString, function);
        QFETCH(QString, args);
        m_input->add("1,1");
        const LispCallResult r = call(function, chainFrom(args));
        QCOMPARE(r.status, 5100);
        QCOMPARE(r.kind, CKvLispContext::ResultKind::NotSet);
        QCOMPARE(m_input->asked(), 0);
        QVERIFY(m_input->keywordSetUps().isEmpty());
    }
};

KV_TEST_MAIN(TestInputFunctions)
#include "tst_inputfunctions.moc"
