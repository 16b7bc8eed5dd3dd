#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvResbuf.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class CKvLispContext;

// The small LISP interpreter behind a document's LISP context: reads and evaluates the
// code a person types or loads, and calls the external functions defined in the context.
//
// Reading: integers (32-bit; longer ones read as reals), reals (1.5 .5 -2. 1e3), strings
// with the escapes \" \\ \n \t \r \e and octal \nnn, symbols (case-insensitive, kept in
// upper case), 'x, dotted pairs, ; comments and ;| block |; comments. Nesting deeper than
// 10,000 and any malformed text give a failed Result, "malformed input: <what> (line N)".
//
// Printing (Result::printed, prin1, print): 42, 2.5, 10.0, 1.0e+20 (6 significant digits,
// always a decimal point), "a\"b" (quoted, escaped; princ writes strings as they are),
// symbols in upper case (ABC, T), nil, (1 "a" (2 . 3)), <Entity name: 1a2b>,
// <Selection set: 3>, <File: #1>, <User function: NAME>, <Function: CAR>,
// <External function: Dlg_x>.
//
// Names: external functions of the context are looked up first, so a defun never hides
// them; then functions defined with defun (or held in a variable); then the built-ins.
// Variables are global with dynamic scoping: parameters and "/" locals of a call are bound
// on entry (locals to nil) and restored when the call ends, also by error.
//
// Error messages (Result::error; kvhost shows them after "error: "), among others:
//   no function definition: NAME          bad function: <value>
//   too few arguments: NAME               too many arguments: NAME
//   bad argument type: stringp 1          (also numberp, fixnump, listp, consp, symbolp, streamp)
//   bad argument value: SUBSTR start 0    divide by zero
//   Function cancelled                    an external function answered -5002
//   NAME: error status -5001              an external function answered any other status than 5100
//   recursion too deep: more than 2000 nested function calls
//   stack overflow: expressions or function calls nested too deeply
//   LOAD failed: "name"                   quit / exit abort
// A user function *ERROR* (one parameter) is called with the message of a top-level error.
//
// External calls: arguments travel as a chain (lists of 2 or 3 numbers as points 5002 and
// 5009, integers 5003 when they fit 16 bits else 5010, reals 5001, strings and other
// symbols 5005, entity names 5006, selection sets 5007, nil 5019, T 5021, other lists
// 5016 ... 5017 with 5018 before the second part of a dotted pair). The result comes back
// by its kind: Void gives nil and a top-level Result with hasValue false; NotSet and Nil
// give nil; Value the first value of the chain; List the list. Group codes (below 5000)
// read as (code . value). A chain that ends inside a list closes it there.
//
// Files: open with "r", "w" or "a" gives a file descriptor or nil; read-line and
// write-line use UTF-8 (a byte-order mark is skipped; lines that are not UTF-8 read as
// Latin-1, so no byte is lost). getvar asks the document (after the values set with setvar,
// which the engine keeps for itself).
class KVPLATFORM_EXPORT KvLispEngine
{
public:
    // context may be null: no external functions and no document variables then.
    explicit KvLispEngine(CKvLispContext* context);
    ~KvLispEngine();
    KvLispEngine(const KvLispEngine&) = delete;
    KvLispEngine& operator=(const KvLispEngine&) = delete;

    // The outcome of one top-level form.
    struct Result
    {
        bool ok = true;        // false: error holds the message
        bool hasValue = true;  // false when the form yielded "no value" (print nothing)
        QString printed;       // the value as LISP prints it
        QString error;
    };

    // Reads and evaluates every top-level form of source in turn; a malformed form or an
    // error ends the evaluation with a failed result.
    QVector<Result> evaluate(const QString& source);
    // Loads and evaluates a file; false (with a message) when it cannot be read or fails.
    bool loadFile(const QString& path, QString* error = nullptr);

    // Global variables, exchanged as result chains (5016/5017 for lists).
    void setVariable(const QString& name, const kv_resbuf* value);
    // The printed form of a global variable's value ("nil" when unbound).
    QString variablePrinted(const QString& name) const;

    // Receives what princ, print and prompt write.
    void setOutputHandler(std::function<void(const QString&)> handler);

    // Names of the functions defined with defun, in definition order (upper case as read).
    QStringList userFunctions() const;
    // Every function name a form can call here, for completion: the context's external
    // functions as they were defined, the defuns and the built-ins in lower case; sorted
    // ignoring case, each name once.
    QStringList functionNames() const;

    // Completing the name that ends at `cursor` in a typed line (the text back to the last
    // blank, parenthesis or quote), ignoring case: one match is put in whole; several are
    // completed as far as they agree and listed in `candidates`; none leaves the line.
    struct Completion
    {
        QString line;
        int cursor = 0;
        QStringList candidates;
    };
    static Completion complete(const QString& line, int cursor, const QStringList& names);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
