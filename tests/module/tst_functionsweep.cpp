// Every function of the LISP table called with argument chains no LISP program should pass:
// nothing, the wrong types, nil, extreme numbers, empty and very long strings, nested and
// unclosed lists, unknown node types, extra arguments. Whatever opens is closed at once, as
// a person who cancels everything would. A call must come back (no crash, no hang; leaks
// show in the sanitizer build) with one of the engine's status codes; a dialog function
// must refuse a first argument that is not a string before it shows anything.
//
// The rows come from the table itself, so a function added to it is swept without an edit.
#include "LispCall.h"
#include "ModalDriver.h"
#include "ModuleFixture.h"
#include "ScriptedInput.h"
#include "TestEnvironment.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "module/LispFunctionTable.h"

#include <QApplication>
#include <QTimer>
#include <climits>
#include <cmath>
#include <functional>
#include <limits>

namespace {

// Closes each modal window soon after it appears and counts them.
class Canceller : public QObject
{
public:
    Canceller()
    {
        m_timer.setInterval(2);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QApplication::activeModalWidget())
                m_closed += ModalDriver::closeAllModals().size();
        });
        m_timer.start();
    }
    int closed() const { return m_closed; }

private:
    QTimer m_timer;
    int m_closed = 0;
};

struct Shape
{
    const char* name;
    std::function<void(ArgChain&, const QString& state, int64_t entity)> build;
};

QString longText(int length, QChar fill) { return QString(length, fill); }

const QVector<Shape>& shapes()
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    static const QVector<Shape> list = {
        {"none", [](ArgChain&, const QString&, int64_t) {}},
        {"nil", [](ArgChain& c, const QString&, int64_t) { c.nil(); }},
        {"T", [](ArgChain& c, const QString&, int64_t) { c.t(); }},
        {"int16 extremes", [](ArgChain& c, const QString&, int64_t) { c.int16(SHRT_MAX).int16(SHRT_MIN).int16(-1); }},
        {"int32 extremes", [](ArgChain& c, const QString&, int64_t) { c.int32(INT_MIN).int32(INT_MAX); }},
        {"reals", [=](ArgChain& c, const QString&, int64_t) { c.real(1e308).real(-inf).real(nan).real(-0.0); }},
        {"points", [=](ArgChain& c, const QString&, int64_t) { c.point(1e300, -1e300, nan).point2d(inf, 0); }},
        {"entity names", [](ArgChain& c, const QString&, int64_t e) { c.ename(e).ename(INT64_MAX, -1).ename(0); }},
        {"selection sets", [](ArgChain& c, const QString&, int64_t) { c.pickset(123456).pickset(0); }},
        {"unknown node types", [](ArgChain& c, const QString&, int64_t) { c.node(0).node(-1).node(12345); }},
        {"empty string", [](ArgChain& c, const QString&, int64_t) { c.str(QString()); }},
        {"long string", [](ArgChain& c, const QString&, int64_t) { c.str(longText(100000, QLatin1Char('x'))); }},
        {"list", [](ArgChain& c, const QString& s, int64_t) { c.node(kvrt::ListBegin).str(s).node(kvrt::ListEnd); }},
        {"unclosed lists", [](ArgChain& c, const QString& s, int64_t) {
             c.node(kvrt::ListBegin).node(kvrt::ListBegin).str(s);
         }},
        {"stray list end", [](ArgChain& c, const QString&, int64_t) { c.node(kvrt::ListEnd).node(kvrt::ListEnd); }},
        {"state, wrong types", [](ArgChain& c, const QString& s, int64_t e) {
             c.str(s).int16(-1).real(-1e308).nil().t().point(0, 0, 0).ename(e).pickset(7);
         }},
        {"state, empty strings", [](ArgChain& c, const QString& s, int64_t) { c.str(s).str(QString()).str(QString()).str(QString()); }},
        {"state, long strings", [](ArgChain& c, const QString& s, int64_t) {
             c.str(s).str(longText(100000, QLatin1Char('^'))).str(longText(50000, QLatin1Char('\n'))).str(longText(1000, QChar(0xD800)));
         }},
        {"state, nested lists", [](ArgChain& c, const QString& s, int64_t) {
             c.str(s).node(kvrt::ListBegin).node(kvrt::ListBegin).str("a^b").int16(3).node(kvrt::ListEnd)
                 .real(2.5).node(kvrt::ListEnd).node(kvrt::ListBegin);
         }},
        {"state, huge numbers", [=](ArgChain& c, const QString& s, int64_t) {
             c.str(s).int16(SHRT_MAX).int32(INT_MAX).real(inf).real(nan).int32(INT_MIN);
         }},
        {"state, extra arguments", [](ArgChain& c, const QString& s, int64_t) {
             c.str(s);
             for (int i = 0; i < 40; ++i)
                 c.str(QStringLiteral("^%1^\t;|\"(defun x ()|;").arg(i));
         }},
        {"state in a missing folder", [](ArgChain& c, const QString& s, int64_t) {
             c.str(s + QStringLiteral(".missing/none/state.txt")).str(QStringLiteral("DUMP"));
         }},
        {"a folder as the state file", [](ArgChain& c, const QString& s, int64_t) {
             c.str(s.left(s.lastIndexOf(QLatin1Char('/')))).str(QStringLiteral("DUMP")).int16(1);
         }},
    };
    return list;
}

} // namespace

class TestFunctionSweep : public QObject
{
    Q_OBJECT
    std::unique_ptr<ModuleFixture> m_host;

private slots:
    void initTestCase()
    {
        registerModuleImages();
        m_host = std::make_unique<ModuleFixture>(1);
    }
    void cleanupTestCase() { m_host.reset(); }

    void malformedArguments_data()
    {
        QTest::addColumn<QString>("function");
        for (int i = 0; i < LispFunctionTable::Count; ++i) {
            const char* name = LispFunctionTable::entries()[i].name;
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }

    void malformedArguments()
    {
        QFETCH(QString, function);
        CKvDocument* document = m_host->document(0);

        // A state file with something in it, and a line in the drawing to name.
        const QString state = m_host->path(QStringLiteral("sweep.state"));
        QFile file(state);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xEF\xBB\xBFqtentities=2\n!action!=RETURN\nlistwidget=a^b^\ncombobox_index=99999999999\n"
                   "=\n\xFF\xFE\x00garbage\n");
        file.close();
        auto line = std::make_unique<OdDbLine>();
        line->end = {10, 0, 0};
        const OdDbObjectId id = dynamic_cast<OdDbBlockTableRecord*>(
                                    document->GetKvDatabase()->getModelSpaceId().openObject())
                                    ->appendEntity(std::move(line));
        int64_t entity[2] = {0, 0};
        CKvAPI::GetADSName(id, entity);

        const bool dialogFunction = function.startsWith(QLatin1String("Dlg_")) && function != QLatin1String("Dlg_LispExplorer");
        const QList<int> statuses = {kvrt::Normal, kvrt::None, kvrt::Error, kvrt::Cancel, kvrt::Keyword};
        Canceller canceller;
        for (const Shape& shape : shapes()) {
            // Answers for whatever prompts: odd text, then Enter; a prompt asked after the
            // script ran out is cancelled.
            ScriptedInput input(document);
            input.add({QStringLiteral("x"), QStringLiteral("1e999"), QStringLiteral("1,2,3"), QStringLiteral("<Enter>")});

            ArgChain args;
            shape.build(args, state, entity[0]);
            // What the first node is, before the chain is handed over.
            ArgChain probe;
            shape.build(probe, state, entity[0]);
            kv_resbuf* probeHead = probe.take();
            const bool firstIsString = probeHead && probeHead->restype == kvrt::String;
            kvFreeChain(probeHead);

            const int closedBefore = canceller.closed();
            const LispCallResult r = callLisp(document, function, std::move(args));
            const QString where = QStringLiteral("%1 with %2: status %3").arg(function, QLatin1String(shape.name)).arg(r.status);
            QVERIFY2(statuses.contains(r.status), qPrintable(where));
            QVERIFY2(!QApplication::activeModalWidget(), qPrintable(where + QStringLiteral(", a modal window is still open")));
            if (dialogFunction && !firstIsString) {
                QVERIFY2(r.status == kvrt::Error, qPrintable(where));
                QVERIFY2(canceller.closed() == closedBefore, qPrintable(where + QStringLiteral(", but a window opened")));
            }
        }
    }
};

KV_TEST_MAIN(TestFunctionSweep)
#include "tst_functionsweep.moc"
