#pragma once

#include "LispValue.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <vector>

class CKvLispContext;

namespace kvlisp {

struct BuiltinDef;

// A LISP error on its way to the top level, where it ends the evaluation.
struct LispError
{
    QString message;
};

// The evaluator: global symbols with dynamically scoped bindings, special forms, calls of
// built-in, user and external functions, and the guards that turn runaway recursion into
// errors before the stack runs out.
class Interp
{
public:
    // Nesting of user function calls allowed before "recursion too deep".
    static constexpr int MaxCallDepth = 2000;
    // Nesting of evaluation allowed whatever the stack size (a second guard measures the stack).
    static constexpr int MaxEvalDepth = 100000;
    static constexpr int MaxLoadDepth = 50;

    explicit Interp(CKvLispContext* context);
    ~Interp();

    // --- Top level (what the engine's callers use)
    QVector<KvLispEngine::Result> evaluateSource(const QString& source);
    bool loadFile(const QString& path, QString* error);

    // --- Evaluation
    Ref eval(const Ref& form);
    Ref progn(const Ref& body);
    // Calls a function value with evaluated arguments.
    Ref apply(const Ref& function, std::vector<Ref>& args);
    // A function designator (a function value, a symbol naming one, or a lambda
    // expression) as a function value; raises an error for anything else.
    Ref resolveFunction(const Ref& designator);
    // Reads and evaluates every form of a file found on the load path; the last value.
    Ref loadForms(const QString& name, bool* found);
    // Where (load name) or (findfile name) finds the file; empty when nowhere.
    QString findFile(const QString& name) const;

    // --- Symbols
    Ref global(const QString& upperName) const;
    void setGlobal(const QString& upperName, Ref value);
    QStringList userFunctions() const { return m_userFunctions; }

    // --- Services for built-in functions
    CKvLispContext* context() const { return m_context; }
    void output(const QString& text) const;
    void setOutputHandler(std::function<void(const QString&)> handler) { m_output = std::move(handler); }
    // Whether the value just computed is "no value" (kvhost then prints nothing).
    bool isVoid() const { return m_void; }
    int nextFileNumber() { return ++m_fileNumbers; }
    // System variables set with setvar; getvar consults them before the document.
    QHash<QString, Ref>& systemVariables() { return m_systemVariables; }
    // Where tblnext goes on in each table: the index of the next record to look at.
    QHash<QString, int>& tableCursors() { return m_tableCursors; }

    [[noreturn]] static void fail(const QString& message);

private:
    struct SpecialForm;
    class TopLevel;
    class Bindings;

    static const SpecialForm* findSpecial(const QString& upperName);
    Ref evalCall(const Ref& form);
    Ref evalSymbol(const Ref& symbol);
    // The function a name stands for in a call; a built-in is given through *builtin
    // (without a value) when builtin is not null. Nil when there is none.
    Ref functionNamed(const QString& upperName, const BuiltinDef** builtin = nullptr);
    Ref callUser(const FunctionObj* fn, std::vector<Ref>& args);
    Ref callBuiltin(const BuiltinDef* def, std::vector<Ref>& args);
    Ref callExternal(const QString& name, std::vector<Ref>& args);
    QString externalName(const QString& upperName) const;
    Ref makeFunction(const QString& name, const Ref& lambdaList, const Ref& body);
    void checkStack();
    void runErrorHandler(const QString& message);

    // Special forms
    static Ref sfQuote(Interp& in, const Ref& args);
    static Ref sfSetq(Interp& in, const Ref& args);
    static Ref sfProgn(Interp& in, const Ref& args);
    static Ref sfIf(Interp& in, const Ref& args);
    static Ref sfWhile(Interp& in, const Ref& args);
    static Ref sfRepeat(Interp& in, const Ref& args);
    static Ref sfForeach(Interp& in, const Ref& args);
    static Ref sfCond(Interp& in, const Ref& args);
    static Ref sfAnd(Interp& in, const Ref& args);
    static Ref sfOr(Interp& in, const Ref& args);
    static Ref sfDefun(Interp& in, const Ref& args);
    static Ref sfLambda(Interp& in, const Ref& args);
    static Ref sfFunction(Interp& in, const Ref& args);

    CKvLispContext* m_context;
    QHash<QString, Ref> m_globals;
    QHash<QString, Ref> m_systemVariables;
    QHash<QString, int> m_tableCursors;
    QStringList m_userFunctions;
    std::function<void(const QString&)> m_output;
    QStringList m_loadingFolders; // folders of the files being loaded, innermost last
    bool m_void = false;
    bool m_inErrorHandler = false;
    int m_callDepth = 0;
    int m_evalDepth = 0;
    int m_topLevelDepth = 0;
    int m_fileNumbers = 0;
    const char* m_stackBase = nullptr;
    std::ptrdiff_t m_stackBudget = 0;
};

} // namespace kvlisp
