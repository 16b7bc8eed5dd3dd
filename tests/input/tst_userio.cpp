// The host's prompts as the LISP input calls meet them: keywords, points, numbers, Enter and
// Esc, composed prompt texts, selections, picks, entity names and drags.
#include "PlatformFixture.h"
#include "ScriptedInput.h"
#include "TestEnvironment.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"

#include <QApplication>
#include <cmath>

namespace {
OdDbBlockTableRecord* modelSpace(CKvDocument* document)
{
    CKvDatabase* db = document->GetKvDatabase();
    return dynamic_cast<OdDbBlockTableRecord*>(db->getModelSpaceId().openObject());
}

OdDbObjectId addLine(CKvDocument* document, double x0, double y0, double x1, double y1, const QString& layer = "0")
{
    auto line = std::make_unique<OdDbLine>();
    line->start = {x0, y0, 0};
    line->end = {x1, y1, 0};
    line->layer = layer;
    return modelSpace(document)->appendEntity(std::move(line));
}

OdDbObjectId addCircle(CKvDocument* document, double x, double y, double r, const QString& layer = "0")
{
    auto circle = std::make_unique<OdDbCircle>();
    circle->center = {x, y, 0};
    circle->radius = r;
    circle->layer = layer;
    return modelSpace(document)->appendEntity(std::move(circle));
}

// Never runs out and never gives a usable answer.
class StubbornSource : public CKvInputSource
{
public:
    int asked = 0;
    KvPromptAnswer Ask(const KvPromptRequest&) override
    {
        ++asked;
        return KvPromptAnswer::typed(QStringLiteral("not an answer"));
    }
};
} // namespace

class TestUserIO : public QObject
{
    Q_OBJECT
    std::unique_ptr<PlatformFixture> m_host;
    CKvDocument* m_document = nullptr;
    CKvUserIO* m_io = nullptr;

private slots:
    void init()
    {
        m_host = std::make_unique<PlatformFixture>(1);
        m_document = m_host->document(0);
        m_io = m_document->GetUserIO();
    }

    void cleanup()
    {
        m_host.reset();
        CKvUserIO::SetDefaultInputSource(nullptr);
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void keywordPrompt_data()
    {
        QTest::addColumn<QStringList>("keywords");
        QTest::addColumn<QString>("defaultKeyword");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("asked");

        const QStringList lr{"Left", "Right"};
        QTest::newRow("exact") << lr << "" << QStringList{"Right"} << 5100 << "Right" << 1;
        QTest::newRow("any case") << lr << "" << QStringList{"rIGHT"} << 5100 << "Right" << 1;
        QTest::newRow("longer abbreviation") << lr << "" << QStringList{"rig"} << 5100 << "Right" << 1;
        QTest::newRow("blanks around") << lr << "" << QStringList{"  Left "} << 5100 << "Left" << 1;
        QTest::newRow("ambiguous is asked again") << QStringList{"Left", "Last"} << "" << QStringList{"L", "la"} << 5100
                                                  << "Last" << 2;
        QTest::newRow("exact wins over a longer one") << QStringList{"La", "Last"} << "" << QStringList{"la"} << 5100 << "La"
                                                      << 1;
        QTest::newRow("unknown is asked again") << lr << "" << QStringList{"Up", "R"} << 5100 << "Right" << 2;
        QTest::newRow("Enter without default") << lr << "" << QStringList{"<Enter>"} << 5000 << "" << 1;
        QTest::newRow("script runs dry") << lr << "" << QStringList() << -5002 << "" << 1;
        QTest::newRow("empty keywords are never chosen") << QStringList{"A", "", "B", ""} << "" << QStringList{"", "b"}
                                                         << 5100 << "B" << 2;
        QTest::newRow("names with commas are names") << QStringList{"Enter to 0,0", "Yes,Y"} << "" << QStringList{"0", "y"}
                                                     << 5100 << "Yes,Y" << 2;
    }

    void keywordPrompt()
    {
        QFETCH(QStringList, keywords);
        QFETCH(QString, defaultKeyword);
        QFETCH(QStringList, answers);
        ScriptedInput input(m_document);
        input.add(answers);
        CKvStringArray list;
        for (const QString& k : keywords)
            list.append(k);
        m_io->InitGet(0, list, list);
        CKvString out;
        const int status = m_io->GetKeyword(m_io->ComposePromptKeyword("Option", defaultKeyword), defaultKeyword, &out, 0, 0);
        QTEST(status, "status");
        QTEST(QString(out), "result");
        QTEST(input.asked(), "asked");
        // The set-up held for that prompt only.
        QVERIFY(m_io->keywords().isEmpty());
        QCOMPARE(m_io->inputFlags(), 0);
    }

    void translatedKeyword()
    {
        // A keyword whose local text is "shown,typed" is typed by its typed part and answers its
        // global name; the prompt shows the shown part.
        ScriptedInput input(m_document);
        input.add(".");
        CKvKeywordArray keywords;
        keywords.Add(".", ". for none,.");
        m_io->InitGet(keywords);
        const CKvString prompt = m_io->ComposePromptString("Path", "C:\\old");
        QCOMPARE(QString(prompt), QStringLiteral("Path or [. for none] <C:\\old>: "));
        CKvString out;
        QCOMPARE(m_io->GetString(true, prompt, "C:\\old", &out, 0, 0), -5005);
        QCOMPARE(QString(m_io->GetKeywordText()), QStringLiteral("."));
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void points_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("withBase");
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<double>("z");

        QTest::newRow("x,y,z") << "1,2,3" << false << 5100 << 1.0 << 2.0 << 3.0;
        QTest::newRow("blanks and signs") << " -1.5 , +2 " << false << 5100 << -1.5 << 2.0 << 0.0;
        QTest::newRow("@ alone is the base") << "@" << true << 5100 << 5.0 << 5.0 << 0.0;
        QTest::newRow("polar") << "2<90" << false << 5100 << 0.0 << 2.0 << 0.0;
        QTest::newRow("relative polar") << "@1<0" << true << 5100 << 6.0 << 5.0 << 0.0;
        QTest::newRow("Enter") << "<Enter>" << false << 5000 << 0.0 << 0.0 << 0.0;
        QTest::newRow("Esc") << "<Esc>" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("one number") << "5" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("four numbers") << "1,2,3,4" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("not a number") << "a,b" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("nan") << "nan,1" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("overflow") << "1e400,0" << false << -5002 << 0.0 << 0.0 << 0.0;
        QTest::newRow("decimal comma") << "1,5;2" << false << -5002 << 0.0 << 0.0 << 0.0;
    }

    void points()
    {
        QFETCH(QString, typed);
        QFETCH(bool, withBase);
        ScriptedInput input(m_document);
        input.add(typed);
        const double base[3] = {5, 5, 0};
        double out[3] = {0, 0, 0};
        const int status = m_io->GetPoint("Point", 0, 0, out, withBase ? base : nullptr, CKvString(), false, 0, 0);
        QTEST(status, "status");
        if (status != kvrt::Normal)
            return;
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(double, z);
        QVERIFY(std::fabs(out[0] - x) < 1e-9);
        QVERIFY(std::fabs(out[1] - y) < 1e-9);
        QVERIFY(std::fabs(out[2] - z) < 1e-9);
    }

    void unusableAnswerIsNotedAndAskedAgain()
    {
        ScriptedInput input(m_document);
        input.add({"here", "3,4"});
        double out[3] = {0, 0, 0};
        QCOMPARE(m_io->GetPoint("Point", 0, 0, out, nullptr, CKvString(), false, 0, 0), 5100);
        QCOMPARE(input.asked(), 2);
        QCOMPARE(input.requests().at(1).retry, 1);
        QCOMPARE(input.printed(), QStringList{"Invalid point."});
    }

    void stubbornSourceGivesUp()
    {
        StubbornSource source;
        m_document->SetInputSource(&source);
        double out[3] = {0, 0, 0};
        QCOMPARE(m_io->GetPoint("Point", 0, 0, out, nullptr, CKvString(), false, 0, 0), -5002);
        QCOMPARE(source.asked, 100);
        source.asked = 0;
        int i = 0;
        QCOMPARE(m_io->GetInteger("N", nullptr, &i), -5002);
        source.asked = 0;
        auto set = std::make_shared<CKvSelectionSet>(m_document);
        QCOMPARE(m_io->GetSelection(1, set.get(), 0x7f1ff, "Select", "Remove", nullptr, nullptr, true, 0, nullptr), -5002);
        QCOMPARE(source.asked, 100);
        m_document->SetInputSource(nullptr);
    }

    void noSourceCancels()
    {
        double out[3] = {0, 0, 0};
        QCOMPARE(m_io->GetPoint("Point", 0, 0, out, nullptr, CKvString(), false, 0, 0), -5002);
        CKvString s;
        QCOMPARE(m_io->GetString(false, "S", "d", &s, 0, 0), -5002);
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void numbers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("defaultValue"); // empty: none
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("keywordText");

        QTest::newRow("integer out of 16 bits") << "int" << 0 << "" << QStringList{"70000", "-32768"} << 5100 << -32768.0
                                                << "-32768";
        QTest::newRow("integer not a real") << "int" << 0 << "" << QStringList{"2.5", "2"} << 5100 << 2.0 << "2";
        QTest::newRow("no zero") << "int" << 2 << "" << QStringList{"0", "4"} << 5100 << 4.0 << "4";
        QTest::newRow("no negative") << "real" << 4 << "" << QStringList{"-1", "1.5"} << 5100 << 1.5 << "1.5";
        QTest::newRow("arbitrary text") << "real" << 128 << "" << QStringList{"abc"} << -5005 << 0.0 << "abc";
        QTest::newRow("keyword") << "real" << 0 << "" << QStringList{"ha"} << -5005 << 0.0 << "Half";
        QTest::newRow("distance to a point from the base") << "dist" << 0 << "" << QStringList{"3,4"} << 5100 << 5.0
                                                          << "3,4";
        QTest::newRow("distance Enter gives the default") << "dist" << 0 << "7" << QStringList{"<Enter>"} << 5100 << 7.0
                                                         << "";
        QTest::newRow("distance Enter without default") << "dist" << 0 << "" << QStringList{"<Enter>"} << 5000 << 0.0 << "";
        QTest::newRow("distance to a point too far away") << "dist" << 0 << "" << QStringList{"1.7e308,1.7e308", "3,4"}
                                                         << 5100 << 5.0 << "3,4";
        QTest::newRow("angle default in degrees") << "angle" << 0 << "7" << QStringList{"<Enter>"} << 5100
                                                  << 7.0 * M_PI / 180 << "";
        QTest::newRow("angle to a point") << "angle" << 0 << "" << QStringList{"0,5"} << 5100 << M_PI / 2 << "0,5";
    }

    void numbers()
    {
        QFETCH(QString, kind);
        QFETCH(int, flags);
        QFETCH(QString, defaultValue);
        QFETCH(QStringList, answers);
        ScriptedInput input(m_document);
        input.add(answers);
        const CKvStringArray keywords{"Half", "Double"};
        m_io->InitGet(flags, keywords, keywords);
        const double origin[3] = {0, 0, 0};
        double got = 0;
        int status = 0;
        const int defaultInt = defaultValue.toInt();
        const double defaultReal = defaultValue.toDouble();
        const bool withDefault = !defaultValue.isEmpty();
        if (kind == "int") {
            int i = 0;
            status = m_io->GetInteger("N", withDefault ? &defaultInt : nullptr, &i);
            got = i;
        } else if (kind == "real") {
            status = m_io->GetReal("R", withDefault ? &defaultReal : nullptr, &got);
        } else if (kind == "dist") {
            status = m_io->GetDistance("D", withDefault ? &defaultReal : nullptr, origin, &got);
        } else {
            status = m_io->GetAngle("A", withDefault ? &defaultReal : nullptr, origin, &got);
        }
        QTEST(status, "status");
        QFETCH(double, value);
        if (status == kvrt::Normal)
            QVERIFY2(std::fabs(got - value) < 1e-9, qPrintable(QString::number(got)));
        QTEST(QString(m_io->GetKeywordText()), "keywordText");
    }

    void distanceWithoutBaseAsksSecondPoint()
    {
        ScriptedInput input(m_document);
        input.add({"1,1", "4,5"});
        double d = 0;
        QCOMPARE(m_io->GetDistance("D", nullptr, nullptr, &d), 5100);
        QCOMPARE(d, 5.0);
        QCOMPARE(input.prompts().last(), QStringLiteral("Specify second point: "));
        QCOMPARE(QString(m_io->GetKeywordText()), QStringLiteral("1,1"));
        // Two points too far apart for a distance: the whole question again.
        input.add({"-1.7e308,0", "1.7e308,0", "<Esc>"});
        QCOMPARE(m_io->GetDistance("D", nullptr, nullptr, &d), -5002);
        QCOMPARE(input.prompts().mid(2), (QStringList{"D", "Specify second point: ", "D"}));
        QCOMPARE(input.printed().last(), QStringLiteral("The points are too far apart; the answer is out of range."));
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void composition_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("keywords");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("composed");

        QTest::newRow("keywords and default") << "Specify point" << QStringList{"Left", "Right"} << "Left"
                                              << "Specify point or [Left/Right] <Left>: ";
        QTest::newRow("message with its own or") << "Specify point or " << QStringList{"Left", "Right"} << "Left"
                                                 << "Specify point or [Left/Right] <Left>: ";
        QTest::newRow("trailing blank and colon") << "Base point : " << QStringList() << "" << "Base point: ";
        QTest::newRow("leading line break kept") << "\nRemove entities: " << QStringList() << "" << "\nRemove entities: ";
        QTest::newRow("only keywords") << "" << QStringList{"A", "B"} << "" << "[A/B]: ";
        QTest::newRow("only default") << "" << QStringList() << "5" << "<5>: ";
        QTest::newRow("own brackets kept") << "Opt [X/Y] <X>" << QStringList{"X", "Y"} << "X" << "Opt [X/Y] <X>: ";
        QTest::newRow("nothing") << "" << QStringList() << "" << "";
    }

    void composition()
    {
        QFETCH(QString, message);
        QFETCH(QStringList, keywords);
        QFETCH(QString, defaultText);
        CKvStringArray list;
        for (const QString& k : keywords)
            list.append(k);
        m_io->InitGet(0, list, list);
        QTEST(QString(m_io->ComposePromptString(message, defaultText)), "composed");
        QVERIFY(!m_io->ComposePromptString(message, defaultText).isNull());
    }

    void numericComposition()
    {
        m_document->GetKvDatabase()->linearPrecision = 2;
        m_document->GetKvDatabase()->angularPrecision = 0;
        QCOMPARE(QString(m_io->ComposePromptInteger("N", -3)), QStringLiteral("N <-3>: "));
        QCOMPARE(QString(m_io->ComposePromptReal("Radius ", 5.5)), QStringLiteral("Radius <5.50>: "));
        QCOMPARE(QString(m_io->ComposePromptDistance("D", 0)), QStringLiteral("D <0.00>: "));
        QCOMPARE(QString(m_io->ComposePromptAngle("A", 45)), QStringLiteral("A <45>: "));
        const double p[3] = {1, 2, 3};
        QCOMPARE(QString(m_io->ComposePromptPoint("P", p)), QStringLiteral("P <1.00,2.00,3.00>: "));
        QCOMPARE(QString(m_io->ComposePromptPoint("P", nullptr)), QStringLiteral("P: "));
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void entityPick_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("picked"); // 0 none, 1 line, 2 circle

        QTest::newRow("near the line") << "5,0.1" << 5100 << 1;
        QTest::newRow("on the circle") << "22,0" << 5100 << 2;
        QTest::newRow("inside the circle misses") << "20,0" << 5100 << 0;
        QTest::newRow("far away misses") << "50,50" << 5100 << 0;
        QTest::newRow("by handle") << "#HANDLE" << 5100 << 2;
        QTest::newRow("unknown handle") << "#FFFFF" << 5100 << 0;
    }

    void entityPick()
    {
        QFETCH(QString, typed);
        const OdDbObjectId line = addLine(m_document, 0, 0, 10, 0);
        const OdDbObjectId circle = addCircle(m_document, 20, 0, 2);
        typed.replace("HANDLE", QString::number(circle.handle(), 16));
        ScriptedInput input(m_document);
        input.add(typed);
        m_io->InitGet(0, {"Exit"}, {"Exit"});
        auto set = std::make_shared<CKvSelectionSet>(m_document);
        set->Add(line); // a pick replaces what the set held
        double point[3] = {0, 0, 0};
        int index = -1;
        const int status = m_io->GetEntity("Select", set.get(), 0, point, &index, 2, 105, nullptr);
        QTEST(status, "status");
        QFETCH(int, picked);
        if (status != kvrt::Normal)
            return;
        QCOMPARE(set->Count(), picked ? 1 : 0);
        if (picked)
            QCOMPARE(set->GetObjectId(0), picked == 1 ? line : circle);
        QCOMPARE(input.lastRequest().arguments[1], 2);
        QCOMPARE(input.lastRequest().arguments[2], 105);
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void selection_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<bool>("firstPass");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("selected"); // letters of the entities in set order

        QTest::newRow("same pick twice") << QStringList{"5,0", "5,0", "<Enter>"} << true << 5100 << "a";
        QTest::newRow("nothing") << QStringList{"<Enter>"} << true << 5000 << "";
        QTest::newRow("miss then Enter") << QStringList{"50,50", "<Enter>"} << true << 5000 << "";
        QTest::newRow("all then remove") << QStringList{"all", "r", "22,0", "<Enter>"} << true << 5100 << "ac";
        QTest::newRow("remove then add") << QStringList{"all", "R", "5,0", "A", "5,0", "<Enter>"} << true << 5100 << "bca";
        QTest::newRow("window") << QStringList{"w", "-1,-1", "11,1", "<Enter>"} << true << 5100 << "a";
        QTest::newRow("crossing") << QStringList{"c", "9,-1", "19,1", "<Enter>"} << true << 5100 << "ab";
        QTest::newRow("last") << QStringList{"L", "<Enter>"} << true << 5100 << "c";
        QTest::newRow("later pass keeps the set") << QStringList{"<Enter>"} << false << 5100 << "c";
        QTest::newRow("later pass adds") << QStringList{"5,0", "<Enter>"} << false << 5100 << "ca";
        QTest::newRow("keyword keeps the set") << QStringList{"5,0", "Und"} << true << -5005 << "a";
        QTest::newRow("Esc keeps the set") << QStringList{"5,0", "<Esc>"} << true << -5002 << "a";
        QTest::newRow("Esc in the window") << QStringList{"w", "<Esc>"} << true << -5002 << "";
        QTest::newRow("garbage asked again") << QStringList{"???", "5,0", "<Enter>"} << true << 5100 << "a";
    }

    void selection()
    {
        QFETCH(QStringList, answers);
        QFETCH(bool, firstPass);
        const OdDbObjectId a = addLine(m_document, 0, 0, 10, 0);
        const OdDbObjectId b = addCircle(m_document, 20, 0, 2, "Walls");
        const OdDbObjectId c = addLine(m_document, 0, 30, 10, 30);
        ScriptedInput input(m_document);
        input.add(answers);
        m_io->InitGet(2, {"Undo"}, {"Undo"});
        auto set = std::make_shared<CKvSelectionSet>(m_document);
        set->Add(c);
        const int status = m_io->GetSelection(1, set.get(), 0x7f1ff, "Select", "Remove", nullptr, nullptr, firstPass, 4464, nullptr);
        QTEST(status, "status");
        QString letters;
        for (int i = 0; i < set->Count(); ++i)
            letters += set->GetObjectId(i) == a ? "a" : set->GetObjectId(i) == b ? "b" : "c";
        QTEST(letters, "selected");
        const KvPromptRequest& first = input.requests().first();
        QCOMPARE(first.arguments[1], 0x7f1ff);
        QCOMPARE(first.arguments[3], 4464);
        QCOMPARE(QString(first.removePrompt), QStringLiteral("Remove"));
    }

    void removeModeShowsTheRemovePrompt()
    {
        addLine(m_document, 0, 0, 10, 0);
        ScriptedInput input(m_document);
        input.add({"all", "R", "<Enter>"});
        auto set = std::make_shared<CKvSelectionSet>(m_document);
        m_io->GetSelection(1, set.get(), 0, "Select: ", "Remove: ", nullptr, nullptr, true, 0, nullptr);
        QCOMPARE(input.prompts(), (QStringList{"Select: ", "Select: ", "Remove: "}));
    }

    // Cases the LISP input functions meet end to end are checked there (tst_inputfunctions).
    void contextSelectWithFilter_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("filterType");
        QTest::addColumn<QString>("filterLayer");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("count");

        QTest::newRow("English mode name") << "_x" << "" << "" << QStringList() << 5100 << 3;
        QTest::newRow("interactive filtered") << "" << "CIRCLE" << "" << QStringList{"all", "<Enter>"} << 5100 << 1;
        QTest::newRow("interactive single pass") << ":S" << "" << "" << QStringList{"5,0"} << 5100 << 1;
        QTest::newRow("last") << "L" << "" << "" << QStringList() << 5100 << 1;
        QTest::newRow("no filter: error before asking") << "" << "<OR" << "" << QStringList{"all", "<Enter>"} << -5001 << 0;
    }

    void contextSelectWithFilter()
    {
        QFETCH(QString, mode);
        QFETCH(QString, filterType);
        QFETCH(QString, filterLayer);
        QFETCH(QStringList, answers);
        addLine(m_document, 0, 0, 10, 0);
        addCircle(m_document, 20, 0, 2, "Walls");
        addLine(m_document, 0, 30, 10, 30);
        ScriptedInput input(m_document);
        input.add(answers);
        kv_resbuf* filter = nullptr;
        CKvLispContext* context = m_document->GetLispContext();
        if (filterType.startsWith('<'))
            context->AppendString(&filter, -4, filterType);
        else if (!filterType.isEmpty())
            context->AppendString(&filter, kvrt::Dxf0, filterType);
        if (!filterLayer.isEmpty())
            context->AppendString(&filter, 8, filterLayer);
        const std::u16string p1 = u"Select: ", p2 = u"Remove: ";
        const char16_t* const prompts[2] = {p1.c_str(), p2.c_str()};
        int64_t name[2] = {0, 0};
        const int status = context->Select(mode, prompts, nullptr, filter, name);
        context->ReleaseChain(filter);
        QTEST(status, "status");
        QCOMPARE(input.remaining() == 0, answers.isEmpty() || status != kvrt::Error);
        CKvSelectionSetPtr set;
        if (status == kvrt::Normal) {
            QCOMPARE(CKvAPI::GetSSPtr(name, set), 5100);
            QTEST(set->Count(), "count");
        } else {
            QCOMPARE(CKvAPI::GetSSPtr(name, set), -5001);
        }
    }

    void names_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("status");
        QTest::newRow("a live entity") << 0 << 5100;
        QTest::newRow("zeros") << 1 << -5001;
        QTest::newRow("garbage database word") << 2 << -5001;
        QTest::newRow("unknown handle") << 3 << -5001;
        QTest::newRow("negative handle") << 4 << -5001;
        QTest::newRow("a block, not an entity") << 5 << -5001;
        QTest::newRow("an erased entity") << 6 << -5001;
        QTest::newRow("a closed document's entity") << 7 << -5001;
    }

    void names()
    {
        QFETCH(int, which);
        const OdDbObjectId line = addLine(m_document, 0, 0, 1, 0);
        int64_t name[2] = {0, 0};
        QCOMPARE(CKvAPI::GetADSName(line, name), 5100);
        switch (which) {
        case 1: name[0] = name[1] = 0; break;
        case 2: name[1] = 0x1234567; break;
        case 3: name[0] = 0x7fffffff; break;
        case 4: name[0] = -5; break;
        case 5: name[0] = int64_t(m_document->GetKvDatabase()->getModelSpaceId().handle()); break;
        case 6: line.openObject()->setErased(true); break;
        case 7: {
            CKvDocument* other = m_host->newDocument();
            const OdDbObjectId id = addLine(other, 0, 0, 1, 1);
            QCOMPARE(CKvAPI::GetADSName(id, name), 5100);
            m_host->documents()->CloseDocument(other);
            break;
        }
        default: break;
        }
        OdDbObjectId id;
        QTEST(CKvAPI::GetObjectId(name, id), "status");
        QCOMPARE(id.isNull(), which != 0);
        if (which == 0)
            QCOMPARE(id, line);
        int64_t garbage[2] = {-1, -1};
        CKvSelectionSetPtr set;
        QCOMPARE(CKvAPI::GetSSPtr(garbage, set), -5001);
        QVERIFY(!set);
    }

};

KV_TEST_MAIN(TestUserIO)
#include "tst_userio.moc"
