#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvResbuf.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class CKvLispContext;

// The small LISP interpreter behind a document's LISP context: reads and evaluates the
// code a person types or loads, and calls the external functions defined in the context.
class KVPLATFORM_EXPORT KvLispEngine
{
public:
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

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
