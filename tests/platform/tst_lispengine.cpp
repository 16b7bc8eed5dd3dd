// The stand-in LISP engine: reader, evaluation, files, the value conversions to and from
// the argument and result chains of external functions, and robustness against any input.

#include "PlatformFixture.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvSystemServices.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString NoValue = QStringLiteral("<no value>");

// The outcome of the last form: its printed value, NoValue, or "error: <message>".
QString outcome(const QVector<KvLispEngine::Result>& results)
{
    if (results.isEmpty())
        return QStringLiteral("<nothing>");
    const KvLispEngine::Result& r = results.last();
    if (!r.ok)
        return QStringLiteral("error: ") + r.error;
    return r.hasValue ? r.printed : NoValue;
}

QString run(KvLispEngine& engine, const QString& source)
{
    return outcome(engine.evaluate(source));
}

// A fresh engine without a document.
QString run(const QString& source)
{
    KvLispEngine engine(nullptr);
    return run(engine, source);
}

QString lispString(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// A chain as "type:value" items, for comparing what a handler received.
QString describe(const kv_resbuf* chain)
{
    QStringList parts;
    for (const kv_resbuf* n = chain; n; n = n->rbnext) {
        QString s = QString::number(n->restype);
        switch (n->restype) {
        case kvrt::Real: s += QLatin1Char(':') + QString::number(n->resval.rreal); break;
        case kvrt::Point2d:
            s += QStringLiteral(":%1,%2").arg(n->resval.rpoint[0]).arg(n->resval.rpoint[1]);
            break;
        case kvrt::Point3d:
            s += QStringLiteral(":%1,%2,%3").arg(n->resval.rpoint[0]).arg(n->resval.rpoint[1]).arg(n->resval.rpoint[2]);
            break;
        case kvrt::Short: s += QLatin1Char(':') + QString::number(n->resval.rint); break;
        case kvrt::Long: s += QLatin1Char(':') + QString::number(n->resval.rlong); break;
        case kvrt::String: s += QLatin1Char(':') + QString::fromUtf16(n->resval.rstring); break;
        case kvrt::EntityName:
        case kvrt::PickSet: s += QLatin1Char(':') + QString::number(n->resval.rlname[0], 16); break;
        default: break;
        }
        parts << s;
    }
    return parts.join(QLatin1Char(' '));
}

// --- Handlers defined in the test document ---------------------------------------------

CKvLispContext* activeContext()
{
    return ACTIVE_DOCUMENT()->GetLispContext();
}

QString g_seenArguments;

// Records its arguments and answers with no value.
int argsHandler()
{
    CKvLispContext* c = activeContext();
    kv_resbuf* args = c->GetArgumentList();
    g_seenArguments = describe(args);
    c->ReleaseChain(args);
    return c->ReturnVoid();
}

// Hands its first argument back.
int echoHandler()
{
    CKvLispContext* c = activeContext();
    kv_resbuf* args = c->GetArgumentList();
    const int status = c->ReturnValue(args);
    c->ReleaseChain(args);
    return status;
}

// The answers of kvtest_result, one per row of its table.
enum class Answer {
    Void, Nil, NotSet, Integer, Real, String, Point3d, Point2d, EntityName, List, ListWithBegin,
    Truncated, Dotted, GroupCodes, T, StrayEnd, Cancel, Failure
};
Answer g_answer = Answer::Nil;

int resultHandler()
{
    CKvLispContext* c = activeContext();
    c->ReleaseChain(c->GetArgumentList());
    const double p[3] = {1, 2, 3};
    kv_resbuf* chain = nullptr;
    int status = kvrt::Normal;
    switch (g_answer) {
    case Answer::Void: return c->ReturnVoid();
    case Answer::Nil: return c->ReturnNil();
    case Answer::NotSet: return kvrt::Normal;
    case Answer::Integer: return c->ReturnInteger(70000);
    case Answer::Real: return c->ReturnReal(2.5);
    case Answer::String: return c->ReturnString(CKvString(QStringLiteral("a\"b\u00e9")));
    case Answer::Point3d: return c->ReturnPoint(p);
    case Answer::Point2d: return c->ReturnPoint(p, false);
    case Answer::EntityName: {
        const int64_t name[2] = {0x1a2b, 0};
        return c->ReturnEntityName(name);
    }
    case Answer::List:
        c->AppendInteger(&chain, 1);
        c->AppendString(&chain, kvrt::String, CKvString(QStringLiteral("x")));
        c->AppendValue(&chain, kvrt::ListBegin);
        c->AppendInteger(&chain, 2);
        c->AppendValue(&chain, kvrt::ListEnd);
        status = c->ReturnList(chain);
        break;
    case Answer::ListWithBegin:
        c->AppendValue(&chain, kvrt::ListBegin);
        c->AppendInteger(&chain, 1);
        c->AppendInteger(&chain, 2);
        c->AppendValue(&chain, kvrt::ListEnd);
        status = c->ReturnList(chain);
        break;
    case Answer::Truncated:
        c->AppendValue(&chain, kvrt::ListBegin);
        c->AppendInteger(&chain, 1);
        c->AppendValue(&chain, kvrt::ListBegin);
        c->AppendInteger(&chain, 2);
        status = c->ReturnValue(chain);
        break;
    case Answer::Dotted:
        c->AppendValue(&chain, kvrt::ListBegin);
        c->AppendInteger(&chain, 1);
        c->AppendValue(&chain, kvrt::DotEnd);
        c->AppendString(&chain, kvrt::String, CKvString(QStringLiteral("a")));
        c->AppendValue(&chain, kvrt::ListEnd);
        status = c->ReturnValue(chain);
        break;
    case Answer::GroupCodes:
        c->AppendString(&chain, 0, CKvString(QStringLiteral("LINE")));
        c->AppendString(&chain, 8, CKvString(QStringLiteral("0")));
        c->AppendValue(&chain, 10)->resval.rpoint[0] = 4;
        c->AppendValue(&chain, 62)->resval.rint = 5;
        status = c->ReturnList(chain);
        break;
    case Answer::T:
        c->AppendValue(&chain, kvrt::T);
        status = c->ReturnValue(chain);
        break;
    case Answer::StrayEnd:
        c->AppendValue(&chain, kvrt::ListEnd);
        c->AppendInteger(&chain, 4);
        status = c->ReturnValue(chain);
        break;
    case Answer::Cancel: return kvrt::Cancel;
    case Answer::Failure: return kvrt::Error;
    }
    c->ReleaseChain(chain);
    return status;
}

// Loads the file named by its argument into the calling document: evaluation nested in a call.
int loadHandler()
{
    CKvLispContext* c = activeContext();
    kv_resbuf* args = c->GetArgumentList();
    const QString path = args && args->restype == kvrt::String ? QString::fromUtf16(args->resval.rstring) : QString();
    c->ReleaseChain(args);
    return c->LoadLispFile(CKvString(path)) == kvrt::Normal ? c->ReturnInteger(1) : c->ReturnNil();
}

} // namespace

class TestLispEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void reader_data();
    void reader();
    void malformedInput_data();
    void malformedInput();
    void formsBeforeAnErrorKeepTheirResults();
    void stringsSurviveEveryCharacter();

    void evaluation_data();
    void evaluation();
    void errors_data();
    void errors();
    void bindingsComeBackAfterAnError();
    void deepStructuresAndRecursion();
    void output();

    void files();
    void loadFile();

    void argumentsToChain_data();
    void argumentsToChain();
    void valuesRoundTrip_data();
    void valuesRoundTrip();
    void resultsFromChain_data();
    void resultsFromChain();
    void externalFunctionsComeFirst();
    void documentServices();
    void nestedEvaluationInAHandler();
    void drawingAccess_data();
    void drawingAccess();


private:
    KvLispEngine& documentEngine() { return m_fixture->document(0)->GetLispContext()->engine(); }

    std::unique_ptr<PlatformFixture> m_fixture;
    long m_liveNodes = 0;
};

void TestLispEngine::initTestCase()
{
    m_fixture = std::make_unique<PlatformFixture>(1);
    QVERIFY(ACTIVE_DOCUMENT());
    CKvLispContext* c = m_fixture->document(0)->GetLispContext();
    QVERIFY(c->DefineFunction(CKvString("kvtest_args"), argsHandler));
    QVERIFY(c->DefineFunction(CKvString("kvtest_echo"), echoHandler));
    QVERIFY(c->DefineFunction(CKvString("kvtest_Result"), resultHandler));
    QVERIFY(c->DefineFunction(CKvString("kvtest_load"), loadHandler));
    m_liveNodes = kvLiveNodeCount();
}

void TestLispEngine::cleanupTestCase()
{
    // Every argument and result chain the engine made or received has been freed.
    QCOMPARE(kvLiveNodeCount(), m_liveNodes);
    m_fixture.reset();
}

// --- Reader ------------------------------------------------------------------------------

void TestLispEngine::reader_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("printed");

    QTest::newRow("integer") << "42" << "42";
    QTest::newRow("largest integer") << "2147483647" << "2147483647";
    QTest::newRow("beyond 32 bits reads as real") << "2147483648" << "2.14748e+09";
    QTest::newRow("real") << "1.5" << "1.5";
    QTest::newRow("trailing dot") << "-2." << "-2.0";
    QTest::newRow("six significant digits") << "3.14159265" << "3.14159";
    QTest::newRow("large real") << "1e20" << "1.0e+20";
    QTest::newRow("escaped quote and backslash") << R"("a\"b\\c")" << R"("a\"b\\c")";
    QTest::newRow("octal escape") << R"("\101\102")" << R"("AB")";
    QTest::newRow("escape character") << R"("\e")" << R"("\e")";
    QTest::newRow("unknown escape is the character") << R"("\q")" << R"("q")";
    QTest::newRow("string across lines") << "\"a\nb\"" << R"("a\nb")";
    QTest::newRow("symbols are upper case") << "'AbC" << "ABC";
    QTest::newRow("dot inside a symbol") << "'a.b" << "A.B";
    QTest::newRow("exponent without digits is a symbol") << "'1e" << "1E";
    QTest::newRow("t") << "t" << "T";
    QTest::newRow("nil") << "nil" << "nil";
    QTest::newRow("empty list") << "'()" << "nil";
    QTest::newRow("list") << R"('(1 (2.5 "a") b))" << R"((1 (2.5 "a") B))";
    QTest::newRow("dotted pair") << "'(a . 1)" << "(A . 1)";
    QTest::newRow("dotted list joins") << "'(1 . (2 3))" << "(1 2 3)";
    QTest::newRow("line comment") << "; note (\n 5 ; more" << "5";
    QTest::newRow("block comment") << ";| a\n ( \" |; 6" << "6";
    QTest::newRow("control characters are blanks") << QStringLiteral("\x01 7 \x02") << "7";
}

void TestLispEngine::reader()
{
    QFETCH(QString, source);
    QFETCH(QString, printed);
    QCOMPARE(run(source), printed);
}

void TestLispEngine::malformedInput_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("error");

    QTest::newRow("missing parenthesis") << "(+ 1\n 2" << "missing ')' for the list opened here (line 1)";
    QTest::newRow("stray parenthesis") << ")" << "extra ')'";
    QTest::newRow("unterminated string") << "(princ \"abc)" << "string without closing quote";
    QTest::newRow("lone quote") << "'" << "quote without an expression";
    QTest::newRow("dot without a tail") << "'(a . )" << "dotted pair without a second part";
    QTest::newRow("dot outside a list") << "." << "misplaced dot";
    QTest::newRow("two after the dot") << "'(a . b c)" << "more than one expression after the dot";
    QTest::newRow("line of the error") << "1\n2\n(3" << "(line 3)";
    QTest::newRow("nesting beyond the limit") << QString(20000, QLatin1Char('(')) << "nested more than 10000 deep";
}

void TestLispEngine::malformedInput()
{
    QFETCH(QString, source);
    QFETCH(QString, error);
    const QVector<KvLispEngine::Result> results = KvLispEngine(nullptr).evaluate(source);
    QVERIFY(!results.isEmpty());
    QVERIFY(!results.last().ok);
    QVERIFY(!results.last().hasValue);
    QVERIFY2(results.last().error.startsWith(QLatin1String("malformed input: ")), qPrintable(results.last().error));
    QVERIFY2(results.last().error.contains(error), qPrintable(results.last().error));
}

void TestLispEngine::formsBeforeAnErrorKeepTheirResults()
{
    KvLispEngine engine(nullptr);
    const QVector<KvLispEngine::Result> results = engine.evaluate("(setq a 1) (+ a 1) ) (setq a 5)");
    QCOMPARE(results.size(), 3);
    QCOMPARE(results[0].printed, QStringLiteral("1"));
    QCOMPARE(results[1].printed, QStringLiteral("2"));
    QVERIFY(!results[2].ok);
    // Nothing after the error was evaluated.
    QCOMPARE(engine.variablePrinted("a"), QStringLiteral("1"));
    QVERIFY(engine.evaluate("  ; only a comment\n").isEmpty());
}

void TestLispEngine::stringsSurviveEveryCharacter()
{
    // Printing a string and reading the print back gives the same string, whatever it holds.
    KvLispEngine engine(nullptr);
    for (int code = 1; code < 0x180; ++code) {
        const QString printed = run(engine, QStringLiteral("(setq s (chr %1))").arg(code));
        QCOMPARE(run(engine, QStringLiteral("(ascii %1)").arg(printed)), QString::number(code));
        QCOMPARE(run(engine, QStringLiteral("(= s %1)").arg(printed)), QStringLiteral("T"));
    }
}

// --- Evaluation --------------------------------------------------------------------------

void TestLispEngine::evaluation_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("result");

    QTest::newRow("setq of several pairs") << "(setq a 1 b (+ a 1)) (list a b)" << "(1 2)";
    QTest::newRow("defun returns its name") << "(defun Sq (x) (* x x))" << "SQ";
    QTest::newRow("defun call") << "(defun sq (x) (* x x)) (sq 7)" << "49";
    QTest::newRow("locals are restored")
        << "(setq x 10) (defun f (a / x) (setq x (* a 2)) x) (list (f 4) x)" << "(8 10)";
    QTest::newRow("locals start as nil") << "(setq y 5) (defun g (/ y) y) (g)" << "nil";
    QTest::newRow("parameters are restored") << "(setq p 1) (defun h (p) (setq p 9)) (h 2) p" << "1";
    QTest::newRow("dynamic scope") << "(defun inner () v) (defun outer (v) (inner)) (outer 7)" << "7";
    QTest::newRow("while") << "(setq i 0 s 0) (while (< i 5) (setq s (+ s i) i (1+ i))) s" << "10";
    QTest::newRow("repeat") << "(setq n 0) (repeat 4 (setq n (+ n 2)))" << "8";
    QTest::newRow("if without else") << "(if nil 1)" << "nil";
    QTest::newRow("if else") << "(if nil 1 2)" << "2";
    QTest::newRow("cond") << "(cond ((= 1 2) 'a) ((= 1 1) 'b))" << "B";
    QTest::newRow("cond clause without body") << "(cond (nil) (5))" << "5";
    QTest::newRow("and or not") << "(list (and 1 nil) (or nil 2) (not nil) (null 1))" << "(nil T T nil)";
    QTest::newRow("strcat") << R"((strcat "ab" "" "c"))" << R"("abc")";
    QTest::newRow("strcat of nothing") << "(strcat)" << R"("")";
    QTest::newRow("strlen") << R"((strlen "ab" "c"))" << "3";
    QTest::newRow("substr") << R"((list (substr "hello" 2 3) (substr "hello" 4) (substr "hi" 9)))"
                            << R"(("ell" "lo" ""))";
    QTest::newRow("strcase") << R"((list (strcase "Ab") (strcase "Ab" t)))" << R"(("AB" "ab"))";
    QTest::newRow("itoa") << "(itoa -42)" << R"("-42")";
    QTest::newRow("atoi") << R"((list (atoi "12abc") (atoi " -3") (atoi "x") (atoi "99999999999")))"
                          << "(12 -3 0 2147483647)";
    QTest::newRow("atof") << R"((list (atof "1.5e2x") (atof ".5") (atof "") (atof "7")))" << "(150.0 0.5 0.0 7.0)";
    QTest::newRow("rtos default") << "(rtos 3.14159)" << R"("3.1416")";
    QTest::newRow("rtos precision") << "(rtos 2.5 2 2)" << R"("2.50")";
    QTest::newRow("rtos integer") << "(rtos 3 2 1)" << R"("3.0")";
    QTest::newRow("rtos no negative zero") << "(rtos -0.001 2 2)" << R"("0.00")";
    QTest::newRow("rtos scientific") << "(rtos 1234.5 1 3)" << R"("1.235E+03")";
    QTest::newRow("rtos engineering") << "(rtos 14.5 3 1)" << R"("1'-2.5\"")";
    QTest::newRow("rtos architectural") << "(rtos 14.5 4 2)" << R"("1'-2 1/2\"")";
    QTest::newRow("rtos fractional") << "(rtos -14.25 5 3)" << R"("-14 1/4")";
    QTest::newRow("integer division truncates") << "(list (/ 7 2) (/ -7 2))" << "(3 -3)";
    QTest::newRow("real contaminates") << "(list (/ 7 2.0) (+ 1 2.0) (* 2 1.5))" << "(3.5 3.0 3.0)";
    QTest::newRow("integers wrap at 32 bits") << "(* 2147483647 2)" << "-2";
    QTest::newRow("unary minus and division") << "(list (- 5) (/ 8) (+) (1- 0) (1+ 1.5))" << "(-5 8 0 -1 2.5)";
    QTest::newRow("rem abs min max") << "(list (rem 7 3) (abs -4) (min 3 1.0) (max 2 9))" << "(1 4 1.0 9)";
    QTest::newRow("fix float") << "(list (fix 3.9) (fix -3.9) (float 2))" << "(3 -3 2.0)";
    QTest::newRow("real printing") << "(list (/ 1.0 3) (* 1.0 10) 0.0 -0.5)" << "(0.333333 10.0 0.0 -0.5)";
    QTest::newRow("numeric comparison") << "(list (< 1 2 3) (< 1 3 2) (= 1 1.0) (/= 1 2) (>= 2 2 1))"
                                        << "(T nil T T T)";
    QTest::newRow("string comparison") << R"((list (< "a" "b") (= "a" "a") (> "a" "b") (= "a" 1)))"
                                       << "(T T nil nil)";
    QTest::newRow("cons") << "(list (cons 1 2) (cons 1 '(2)))" << "((1 . 2) (1 2))";
    QTest::newRow("car cdr family") << "(list (car '(1 2)) (cdr '(1 2)) (cadr '(1 2 3)) (caddr '(1 2 3)) (cadr '(1)))"
                                    << "(1 (2) 2 3 nil)";
    QTest::newRow("nth") << "(list (nth 1 '(a b c)) (nth 5 '(a)) (nth -1 '(a)))" << "(B nil nil)";
    QTest::newRow("append reverse last") << "(list (append '(1) nil '(2 3)) (reverse '(1 2 3)) (last '(1 2)))"
                                         << "((1 2 3) (3 2 1) 2)";
    QTest::newRow("assoc member") << "(list (assoc \"b\" '((\"a\" . 1) (\"b\" . 2))) (member 2 '(1 2 3)))"
                                  << R"((("b" . 2) (2 3)))";
    QTest::newRow("mapcar builtin") << "(mapcar '1+ '(1 2 3))" << "(2 3 4)";
    QTest::newRow("mapcar lambda") << "(mapcar (function (lambda (a b) (+ a b))) '(1 2) '(10 20 30))" << "(11 22)";
    QTest::newRow("foreach") << "(setq s 0) (foreach e '(1 2 3) (setq s (+ s e))) s" << "6";
    QTest::newRow("foreach restores its variable") << "(setq e 'x) (foreach e '(1) e) e" << "X";
    QTest::newRow("type") << "(defun f () 1) (list (type 1) (type 1.0) (type \"s\") (type 'a) (type '(1)) (type car) (type f) (type nil))"
                          << "(INT REAL STR SYM LIST SUBR USUBR nil)";
    QTest::newRow("eq and equal") << R"((list (equal '(1 (2 "a")) '(1 (2 "a"))) (eq "a" "a") (eq 'a 'a) (equal 1.0 1.05 0.1)))"
                                  << "(T nil T T)";
    QTest::newRow("boundp") << "(setq q 1) (list (boundp 'q) (boundp 'zzz))" << "(T nil)";
    QTest::newRow("read and eval") << R"lisp((eval (read "(+ 1 2)")))lisp" << "3";
    QTest::newRow("princ alone is no value") << "(princ)" << NoValue;
    QTest::newRow("no value passes through defun") << "(defun c:x () (princ)) (c:x)" << NoValue;
    QTest::newRow("no value is nil inside a list") << "(list (princ))" << "(nil)";
    QTest::newRow("setq of no value") << "(setq z (princ))" << "nil";
    QTest::newRow("mapcar of no values is a list") << "(mapcar '(lambda (x) (princ)) '(1 2))" << "(nil nil)";
    QTest::newRow("eval passes no value on") << "(eval '(princ))" << NoValue;
    // Angles come as radians from the prompts; programs turn them into degrees with pi, and may set it.
    QTest::newRow("pi") << "(list (rtos (/ (* (/ pi 6) 180.0) pi) 2 4) (= pi (* 4 (atan 1))) (type pi))" << "(\"30.0000\" T REAL)";
    QTest::newRow("pi may be set") << "(setq pi 3) pi" << "3";
    QTest::newRow("unbound variable") << "never_set" << "nil";
    QTest::newRow("user function shadows a built-in") << "(defun strlen (s) 99) (strlen \"a\")" << "99";
    QTest::newRow("error handler sees the message") << "(defun *error* (m) (setq seen m)) (car 1)"
                                                    << "error: bad argument type: consp 1";
}

void TestLispEngine::evaluation()
{
    QFETCH(QString, source);
    QFETCH(QString, result);
    KvLispEngine engine(nullptr);
    QCOMPARE(run(engine, source), result);
    if (QTest::currentDataTag() == QLatin1String("error handler sees the message"))
        QCOMPARE(engine.variablePrinted("seen"), QStringLiteral("\"bad argument type: consp 1\""));
}

void TestLispEngine::errors_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("error");

    QTest::newRow("unknown function") << "(foo 1)" << "no function definition: FOO";
    QTest::newRow("integer division by zero") << "(/ 1 0)" << "divide by zero";
    QTest::newRow("strcat of a number") << R"((strcat "a" 1))" << "bad argument type: stringp 1";
    QTest::newRow("car of a number") << "(car 1)" << "bad argument type: consp 1";
    QTest::newRow("itoa of a real") << "(itoa 1.5)" << "bad argument type: fixnump 1.5";
    QTest::newRow("length of a dotted list") << "(length '(1 . 2))" << "bad list: (1 . 2)";
    QTest::newRow("too few arguments") << "(defun f (x) x) (f)" << "too few arguments: F";
    QTest::newRow("too many arguments") << "(defun f (x) x) (f 1 2)" << "too many arguments: F";
    QTest::newRow("substr from zero") << R"((substr "a" 0))" << "bad argument value: SUBSTR start 0";
    QTest::newRow("rtos bad mode") << "(rtos 1.0 7)" << "bad argument value: RTOS mode 7";
    QTest::newRow("setq of T") << "(setq t 1)" << "bad argument type: symbolp T";
    QTest::newRow("setq with odd arguments") << "(setq a)" << "too few arguments: SETQ";
    QTest::newRow("number as function") << "(1 2)" << "bad function: 1";
    QTest::newRow("bad parameter list") << "(defun f (1) 1)" << "bad argument list: (1)";
    QTest::newRow("special form cannot be redefined") << "(defun if () 1)" << "cannot redefine IF";
    QTest::newRow("sqrt of a negative") << "(sqrt -1)" << "function undefined for argument: -1";
    QTest::newRow("exit") << "(exit)" << "quit / exit abort";
    QTest::newRow("read of broken text") << R"((read "(1"))" << "malformed input: missing ')'";
    QTest::newRow("load of a missing file") << R"((load "no/such/file"))" << R"(LOAD failed: "no/such/file")";
    QTest::newRow("open with a bad mode") << R"((open "x" "rw"))" << R"(bad argument value: OPEN mode "rw")";
}

void TestLispEngine::errors()
{
    QFETCH(QString, source);
    QFETCH(QString, error);
    const QString got = run(source);
    QVERIFY2(got.startsWith(QLatin1String("error: ") + error), qPrintable(got));
}

void TestLispEngine::bindingsComeBackAfterAnError()
{
    KvLispEngine engine(nullptr);
    QVERIFY(run(engine, "(setq x 1 y 2) (defun f (x / y) (setq y 3) (/ x 0)) (f 5)").startsWith("error: divide by zero"));
    QCOMPARE(run(engine, "(list x y)"), QStringLiteral("(1 2)"));
    // load with a fallback answers the fallback instead of failing.
    QCOMPARE(run(engine, R"((load "no/such/file" 'missing))"), QStringLiteral("MISSING"));
}

void TestLispEngine::deepStructuresAndRecursion()
{
    KvLispEngine engine(nullptr);
    // Built, printed, compared and freed without recursion on the stack.
    QCOMPARE(run(engine, "(setq x nil) (repeat 200000 (setq x (list x))) (equal x x)"), QStringLiteral("T"));
    QCOMPARE(run(engine, "(setq x2 nil) (repeat 200000 (setq x2 (list x2))) (equal x x2)"), QStringLiteral("T"));
    QVERIFY(run(engine, "x").startsWith(QString(1000, QLatin1Char('('))));
    QCOMPARE(run(engine, "(setq x nil x2 nil) (setq l nil) (repeat 300000 (setq l (cons 1 l))) (length l)"),
             QStringLiteral("300000"));
    QCOMPARE(run(engine, "(setq l nil)"), QStringLiteral("nil"));

    // A source nested almost to the reader's limit.
    const QString quoted = QLatin1Char('\'') + QString(9000, QLatin1Char('(')) + QString(9000, QLatin1Char(')'));
    QVERIFY(run(engine, quoted).startsWith(QLatin1String("((((")));

    // Recursion within the limit works; beyond it, an error instead of a crash.
    QCOMPARE(run(engine, "(defun r (n) (if (> n 0) (1+ (r (1- n))) 0)) (r 300)"), QStringLiteral("300"));
    const QString runaway = run(engine, "(r 100000)");
    QVERIFY2(runaway.startsWith("error: recursion too deep") || runaway.startsWith("error: stack overflow"),
             qPrintable(runaway));
    const QString nested = run(engine, QStringLiteral("(+ 1 ").repeated(9500) + QLatin1Char('0') + QString(9500, QLatin1Char(')')));
    QVERIFY2(nested == QLatin1String("9500") || nested.startsWith("error: stack overflow"), qPrintable(nested));
    // The engine still works afterwards.
    QCOMPARE(run(engine, "(r 3)"), QStringLiteral("3"));
}

void TestLispEngine::output()
{
    KvLispEngine engine(nullptr);
    QString text;
    engine.setOutputHandler([&text](const QString& s) { text += s; });
    QCOMPARE(run(engine, R"((princ "a") (prin1 "b") (print '(1 "c")) (terpri) (prompt "p") (write-line "w") (princ '("q")))"),
             QStringLiteral("(\"q\")"));
    QCOMPARE(text, QStringLiteral("a\"b\"\n(1 \"c\") \npw\n(q)"));
}

// --- Files -------------------------------------------------------------------------------

void TestLispEngine::files()
{
    QTemporaryDir dir;
    const QString path = lispString(dir.filePath("out.txt"));
    KvLispEngine engine(nullptr);
    QCOMPARE(run(engine, QStringLiteral("(setq f (open %1 \"w\")) (type f)").arg(path)), QStringLiteral("FILE"));
    QCOMPARE(run(engine, "(write-line \"first \u00e9\" f) (princ 42 f) (write-line \"\" f) (close f)"),
             QStringLiteral("nil"));
    QCOMPARE(run(engine, QStringLiteral("(setq f (open %1 \"a\")) (write-line \"third\" f) (close f)").arg(path)),
             QStringLiteral("nil"));
    QCOMPARE(run(engine, QStringLiteral("(setq f (open %1 \"r\")) (list (read-line f) (read-line f) (read-line f) (read-line f))")
                             .arg(path)),
             QStringLiteral("(\"first \u00e9\" \"42\" \"third\" nil)"));
    QVERIFY(run(engine, "(write-line \"x\" f)").startsWith("error: file not open for writing"));
    QCOMPARE(run(engine, "(close f) (read-line f)"), QStringLiteral("nil"));

    // Missing files and folders give nil, not an error.
    QCOMPARE(run(engine, QStringLiteral("(open %1 \"r\")").arg(lispString(dir.filePath("none.txt")))), QStringLiteral("nil"));
    QCOMPARE(run(engine, QStringLiteral("(open %1 \"r\")").arg(lispString(dir.path()))), QStringLiteral("nil"));
    QCOMPARE(run(engine, QStringLiteral("(open %1 \"w\")").arg(lispString(dir.filePath("no/dir/x.txt")))), QStringLiteral("nil"));

    // A byte-order mark is dropped, CR LF ends lines, bytes that are not UTF-8 survive as Latin-1.
    QVERIFY(writeBytes(dir.filePath("raw.txt"), "\xEF\xBB\xBFone\r\ncaf\xE9\nlast"));
    QCOMPARE(run(engine, QStringLiteral("(setq f (open %1 \"r\")) (list (read-line f) (read-line f) (read-line f) (read-line f))")
                             .arg(lispString(dir.filePath("raw.txt")))),
             QStringLiteral("(\"one\" \"caf\u00e9\" \"last\" nil)"));
}

void TestLispEngine::loadFile()
{
    QTemporaryDir dir;
    const QString good = dir.filePath("good.lsp"), bad = dir.filePath("bad.lsp");
    QVERIFY(writeBytes(good, "\xEF\xBB\xBF; tools\n(defun tool-a () \"\xC3\xA9\")\n(setq loaded 1)\n(defun tool-b (x) x)\n"));
    QVERIFY(writeBytes(bad, "(setq before 1)\n(undefined-fn)\n(setq after 1)\n"));

    KvLispEngine engine(nullptr);
    QString error;
    QVERIFY2(engine.loadFile(good, &error), qPrintable(error));
    QCOMPARE(engine.userFunctions(), QStringList({"TOOL-A", "TOOL-B"}));
    QCOMPARE(run(engine, "(tool-a)"), QStringLiteral("\"\u00e9\""));

    QVERIFY(!engine.loadFile(bad, &error));
    QCOMPARE(error, bad + QStringLiteral(": no function definition: UNDEFINED-FN"));
    QCOMPARE(engine.variablePrinted("before"), QStringLiteral("1"));
    QCOMPARE(engine.variablePrinted("after"), QStringLiteral("nil"));

    QVERIFY(!engine.loadFile(dir.filePath("missing.lsp"), &error));
    QVERIFY(error.contains("missing.lsp"));
    QVERIFY(!engine.loadFile(dir.path(), &error));

    // (load) finds a name without extension next to the file being loaded.
    QVERIFY(writeBytes(dir.filePath("outer.lsp"), "(load \"good\")\n(setq outer-done (tool-b 5))\n"));
    QVERIFY2(engine.loadFile(dir.filePath("outer.lsp"), &error), qPrintable(error));
    QCOMPARE(engine.variablePrinted("OUTER-DONE"), QStringLiteral("5"));

    // A file that loads itself stops with an error.
    QVERIFY(writeBytes(dir.filePath("loop.lsp"), "(load \"loop\")\n"));
    QVERIFY(!engine.loadFile(dir.filePath("loop.lsp"), &error));
    QVERIFY2(error.contains("LOAD nested") || error.contains("stack overflow"), qPrintable(error));
}

// --- Conversions through the document's LISP context ----------------------------------------

void TestLispEngine::argumentsToChain_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("chain");

    QTest::newRow("none") << "" << "";
    QTest::newRow("16 and 32 bit integers") << "32767 32768 -32768 -32769" << "5003:32767 5010:32768 5003:-32768 5010:-32769";
    QTest::newRow("atoms") << R"(1.5 "abc" nil t)" << "5001:1.5 5005:abc 5019 5021";
    QTest::newRow("points") << "'(1 2) '(1 2.5 3)" << "5002:1,2 5009:1,2.5,3";
    QTest::newRow("list of four numbers") << "'(1 2 3 4)" << "5016 5003:1 5003:2 5003:3 5003:4 5017";
    QTest::newRow("mixed list is no point") << R"('(1 "a"))" << "5016 5003:1 5005:a 5017";
    QTest::newRow("nested lists") << R"('(1 (2 3 "x") ((4 5))))"
                                  << "5016 5003:1 5016 5003:2 5003:3 5005:x 5017 5016 5002:4,5 5017 5017";
    QTest::newRow("dotted pair") << R"('(8 . "0"))" << "5016 5003:8 5018 5005:0 5017";
    QTest::newRow("symbol travels as its name") << "'abc" << "5005:ABC";
    QTest::newRow("unicode string") << "\"\u00e9\u4e2d\"" << "5005:\u00e9\u4e2d";
}

void TestLispEngine::argumentsToChain()
{
    QFETCH(QString, arguments);
    QFETCH(QString, chain);
    g_seenArguments = QStringLiteral("<not called>");
    QCOMPARE(run(documentEngine(), QStringLiteral("(kvtest_args %1)").arg(arguments)), NoValue);
    QCOMPARE(g_seenArguments, chain);
}

void TestLispEngine::valuesRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("back");

    QTest::newRow("short") << "-32768" << "-32768";
    QTest::newRow("long") << "70000" << "70000";
    QTest::newRow("string") << R"("a\"b\n")" << R"("a\"b\n")";
    QTest::newRow("nil") << "nil" << "nil";
    QTest::newRow("point becomes reals") << "'(1 2)" << "(1.0 2.0)";
    QTest::newRow("nested list") << R"('(1 ("b" 2 3 4) (5 . "x")))" << R"((1 ("b" 2 3 4) (5 . "x")))";
    QTest::newRow("list of points") << "'((1 2 3) (4 5))" << "((1.0 2.0 3.0) (4.0 5.0))";
}

void TestLispEngine::valuesRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(QString, back);
    QCOMPARE(run(documentEngine(), QStringLiteral("(kvtest_echo %1)").arg(value)), back);
}

void TestLispEngine::resultsFromChain_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("result");

    QTest::newRow("no value") << int(Answer::Void) << NoValue;
    QTest::newRow("nil") << int(Answer::Nil) << "nil";
    QTest::newRow("nothing handed back") << int(Answer::NotSet) << "nil";
    QTest::newRow("integer") << int(Answer::Integer) << "70000";
    QTest::newRow("string") << int(Answer::String) << "\"a\\\"b\u00e9\"";
    QTest::newRow("3D point") << int(Answer::Point3d) << "(1.0 2.0 3.0)";
    QTest::newRow("entity name") << int(Answer::EntityName) << "<Entity name: 1a2b>";
    QTest::newRow("list of elements") << int(Answer::List) << R"((1 "x" (2)))";
    QTest::newRow("list from its begin") << int(Answer::ListWithBegin) << "(1 2)";
    QTest::newRow("truncated chain") << int(Answer::Truncated) << "(1 (2))";
    QTest::newRow("dotted pair") << int(Answer::Dotted) << R"((1 . "a"))";
    QTest::newRow("group codes") << int(Answer::GroupCodes) << R"(((0 . "LINE") (8 . "0") (10 4.0 0.0 0.0) (62 . 5)))";
    QTest::newRow("stray list end") << int(Answer::StrayEnd) << "4";
    QTest::newRow("cancelled") << int(Answer::Cancel) << "error: Function cancelled";
    QTest::newRow("failed") << int(Answer::Failure) << "error: kvtest_Result: error status -5001";
}

void TestLispEngine::resultsFromChain()
{
    QFETCH(int, answer);
    QFETCH(QString, result);
    g_answer = Answer(answer);
    QCOMPARE(run(documentEngine(), "(KVTEST_RESULT)"), result);
    // "No value" belongs to the top level only: inside other forms it is nil.
    if (g_answer == Answer::Void) {
        QCOMPARE(run(documentEngine(), "(progn 1 (kvtest_result))"), NoValue);
        QCOMPARE(run(documentEngine(), "(list (kvtest_result))"), QStringLiteral("(nil)"));
    }
}

void TestLispEngine::externalFunctionsComeFirst()
{
    KvLispEngine& engine = documentEngine();
    g_answer = Answer::Integer;
    QCOMPARE(run(engine, "(defun kvtest_result () 'mine) (kvtest_result)"), QStringLiteral("70000"));
    QCOMPARE(run(engine, "(type kvtest_echo)"), QStringLiteral("EXRXSUBR"));
    QCOMPARE(run(engine, "(mapcar 'kvtest_echo '(1 \"a\"))"), QStringLiteral("(1 \"a\")"));
    // A function value cannot travel to a handler.
    QVERIFY(run(engine, "(kvtest_echo car)").startsWith("error: kvtest_echo: bad argument type for an external function"));

    CKvLispContext* c = m_fixture->document(0)->GetLispContext();
    QVERIFY(c->DefineFunction(CKvString("kvtest_gone"), echoHandler));
    QCOMPARE(run(engine, "(setq g kvtest_gone) (g 3)"), QStringLiteral("3"));
    QVERIFY(c->UndefineFunction(CKvString("kvtest_gone")));
    QCOMPARE(run(engine, "(kvtest_gone 3)"), QStringLiteral("error: no function definition: KVTEST_GONE"));
    QCOMPARE(run(engine, "(g 3)"), QStringLiteral("error: no function definition: KVTEST_GONE"));
}

void TestLispEngine::documentServices()
{
    KvLispEngine& engine = documentEngine();
    QCOMPARE(run(engine, R"((type (getvar "LOGFILEPATH")))"), QStringLiteral("STR"));
    QCOMPARE(run(engine, R"((getvar "NO_SUCH_VARIABLE"))"), QStringLiteral("nil"));
    QCOMPARE(run(engine, R"((setvar "kvtestvar" 3) (getvar "KVTESTVAR"))"), QStringLiteral("3"));

    // Variables set by external code, from a result-style chain.
    CKvLispContext* c = m_fixture->document(0)->GetLispContext();
    kv_resbuf* chain = nullptr;
    c->AppendValue(&chain, kvrt::ListBegin);
    c->AppendString(&chain, kvrt::String, CKvString("a"));
    c->AppendInteger(&chain, 100000);
    c->AppendValue(&chain, kvrt::ListEnd);
    QCOMPARE(c->SetLispVariable(CKvString("kvtest_list"), chain), kvrt::Normal);
    c->ReleaseChain(chain);
    QCOMPARE(engine.variablePrinted("KVTEST_LIST"), QStringLiteral("(\"a\" 100000)"));
    QCOMPARE(run(engine, "(cadr kvtest_list)"), QStringLiteral("100000"));
}

void TestLispEngine::nestedEvaluationInAHandler()
{
    QTemporaryDir dir;
    QVERIFY(writeBytes(dir.filePath("inner.lsp"), "(defun inner-fn () (kvtest_echo 11))\n"));
    KvLispEngine& engine = documentEngine();
    // The handler loads code that itself calls a handler; the outer call then goes on.
    QCOMPARE(run(engine, QStringLiteral("(list (kvtest_load %1) (inner-fn))").arg(lispString(dir.filePath("inner.lsp")))),
             QStringLiteral("(1 11)"));
}

// --- The drawing --------------------------------------------------------------------------

void TestLispEngine::drawingAccess_data()
{
    QTest::addColumn<QString>("drawing"); // examples/drawings/<drawing>, or empty: a new drawing
    QTest::addColumn<QString>("erase");   // handle of an entity erased before the code after "|" runs
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("result");

    const QString walkBlocks = QStringLiteral(
        "(setq r nil b (tblnext \"BLOCK\" T))"
        "(while b (setq r (cons (cdr (assoc 2 b)) r) b (tblnext \"block\")))"
        "(reverse r)");
    const QString walkModelSpace = QStringLiteral(
        "(setq r nil e (entnext))"
        "(while e (setq r (cons (cdr (assoc 0 (entget e))) r) e (entnext e)))"
        "(reverse r)");
    const QString blocks = QStringLiteral("blocks.dxf");

    QTest::newRow("block table without the layout spaces") << blocks << "" << walkBlocks
        << R"(("DOOR" "WINDOW" "ROOM" "*U1" "SAMPLER"))";
    QTest::newRow("past the last block, and rewound")
        << blocks << "" << walkBlocks + "(list (tblnext \"BLOCK\") (cdr (assoc 2 (tblnext \"BLOCK\" 1))))"
        << R"((nil "DOOR"))";
    QTest::newRow("block entry") << blocks << ""
        << R"((setq b (tblsearch "BLOCK" "window"))
              (list (car b) (cadr b) (assoc 70 b) (assoc 10 b) (cdr (assoc 5 (entget (cdr (assoc -2 b)))))))"
        << R"(((0 . "BLOCK") (2 . "WINDOW") (70 . 0) (10 1.0 0.25 0.0) "7"))";
    QTest::newRow("anonymous block flags") << blocks << "" << R"((cdr (assoc 70 (tblsearch "BLOCK" "*U1"))))" << "1";
    QTest::newRow("no such block") << blocks << "" << R"((tblsearch "BLOCK" "STAIR"))" << "nil";
    QTest::newRow("model space is no block") << blocks << "" << R"((tblsearch "BLOCK" "*Model_Space"))" << "nil";
    QTest::newRow("other tables") << blocks << "" << R"((list (tblnext "LAYER" T) (tblsearch "LAYER" "0")))"
        << "(nil nil)";
    QTest::newRow("model space entities") << blocks << "" << walkModelSpace
        << R"(("INSERT" "INSERT" "INSERT" "INSERT" "INSERT" "INSERT" "LINE" "CIRCLE" "CIRCLE" "TEXT"))";
    QTest::newRow("an erased entity is passed over") << blocks << "26" << "|" + walkModelSpace
        << R"(("INSERT" "INSERT" "INSERT" "INSERT" "INSERT" "INSERT" "CIRCLE" "CIRCLE" "TEXT"))";
    QTest::newRow("an erased entity's name is stale") << blocks << "20"
        << R"((setq e (entnext))|(list (entget e) (entnext e) (cdr (assoc 5 (entget (entnext))))))" << R"((nil nil "21"))";
    QTest::newRow("inserts name their block") << blocks << ""
        << R"((setq e (entnext)) (mapcar '(lambda (g) (cdr (assoc g (entget (entnext e))))) '(0 2 10 41 50)))"
        << R"(("INSERT" "ROOM" (10.0 0.0 0.0) 1.0 1.5708))";
    QTest::newRow("entities of a block")
        << blocks << ""
        << R"((setq r nil e (cdr (assoc -2 (tblsearch "BLOCK" "SAMPLER"))))
              (while e (setq r (cons (cdr (assoc 0 (entget e))) r) e (entnext e)))
              (reverse r))"
        << R"(("LINE" "CIRCLE" "ARC" "ELLIPSE" "LWPOLYLINE" "POLYLINE" "TEXT" "MTEXT" "POINT" "SOLID" "INSERT"))";
    QTest::newRow("line data") << blocks << "" << R"((cddr (entget (cdr (assoc -2 (tblsearch "BLOCK" "DOOR"))))))"
        << R"(((5 . "4") (8 . "0") (10 0.0 0.0 0.0) (11 0.0 1.0 0.0)))";
    QTest::newRow("arc data in radians") << blocks << ""
        << R"((cdr (cdddr (entget (entnext (cdr (assoc -2 (tblsearch "BLOCK" "DOOR"))))))))"
        << R"(((10 0.0 0.0 0.0) (40 . 1.0) (50 . 0.0) (51 . 1.5708)))";
    QTest::newRow("polyline vertices and colour") << blocks << ""
        << R"((cdr (cdddr (entget (cdr (assoc -2 (tblsearch "BLOCK" "WINDOW")))))))"
        << R"(((62 . 5) (90 . 4) (70 . 1) (10 0.0 0.0 0.0) (10 2.0 0.0 0.0) (10 2.0 0.5 0.0) (10 0.0 0.5 0.0)))";
    QTest::newRow("a new drawing") << "" << "" << R"((list (tblnext "BLOCK" T) (entnext)))" << "(nil nil)";
    QTest::newRow("entget of a number") << blocks << "" << "(entget 5)" << "error: bad argument type: lentityp 5";
}

void TestLispEngine::drawingAccess()
{
    QFETCH(QString, drawing);
    QFETCH(QString, erase);
    QFETCH(QString, source);
    QFETCH(QString, result);
    CKvDocumentManager* documents = m_fixture->documents();
    CKvDocument* document = m_fixture->document(0);
    if (!drawing.isEmpty()) {
        document = documents->OpenDocument(QStringLiteral(KV_SOURCE_DIR "/examples/drawings/") + drawing);
        QVERIFY(document);
    }
    KvLispEngine& engine = document->GetLispContext()->engine();
    const int bar = source.indexOf(QLatin1Char('|'));
    if (bar >= 0) {
        QVERIFY(!run(engine, source.left(bar)).startsWith(QLatin1String("error")));
        OdDbObject* object = document->GetKvDatabase()->getObject(erase.toULongLong(nullptr, 16));
        QVERIFY(object);
        object->setErased(true);
    }
    const QString got = run(engine, source.mid(bar + 1));
    if (document != m_fixture->document(0))
        documents->CloseDocument(document);
    QCOMPARE(got, result);
}

KV_TEST_MAIN(TestLispEngine)
#include "tst_lispengine.moc"
