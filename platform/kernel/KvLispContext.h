#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvString.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <memory>

class CKvDocument;
class KvLispEngine;

// A function the LISP engine calls: no parameters, returns a status code.
using KvLispFunction = int (*)();

// Transformation callback of a drag: fills a 4x4 matrix for the current cursor point.
using KvDragCallback = int (*)(const double point[3], double matrix[4][4]);

// The LISP context of one document: the functions external code defined in it, the
// argument list of the call in progress, the value a handler hands back, and the
// services (variables, files, selection, drag, coordinates) a handler may use.
class KVPLATFORM_EXPORT CKvLispContext
{
public:
    explicit CKvLispContext(CKvDocument* document);
    ~CKvLispContext();
    CKvLispContext(const CKvLispContext&) = delete;
    CKvLispContext& operator=(const CKvLispContext&) = delete;

    CKvDocument* document() const { return m_document; }

    // --- Defining external functions
    bool DefineFunction(const CKvString& name, KvLispFunction handler);
    bool UndefineFunction(const CKvString& name);
    bool IsFunctionDefined(const CKvString& name) const;
    KvLispFunction FunctionHandler(const CKvString& name) const;
    // Names of the external functions, in the order they were defined.
    QStringList DefinedFunctions() const;

    // --- The call in progress
    // The argument list of the current call (first node or null). The caller owns it
    // from now on and gives it back with ReleaseChain.
    kv_resbuf* GetArgumentList();
    // Frees a chain handed out by this context (argument lists, new nodes, results).
    void ReleaseChain(kv_resbuf* chain);

    // Result operations: the value the current call yields.
    int ReturnNil();
    int ReturnVoid();
    int ReturnInteger(int value);
    int ReturnReal(double value);
    int ReturnString(const CKvString& value);
    int ReturnString8(const char* value);
    int ReturnPoint(const double point[3], bool is3d = true);
    int ReturnEntityName(const int64_t name[2]);
    // A single value described by a chain (an atom, or a list delimited by 5016/5017).
    int ReturnValue(const kv_resbuf* chain);
    // A list: a chain beginning with 5016 is taken as it stands (a missing closing
    // 5017 is supplied); any other chain becomes the elements of a list.
    int ReturnList(const kv_resbuf* chain);

    // New unlinked node of the given type (value zeroed).
    kv_resbuf* NewNode(short type);
    // Appends a new node at the end of *chain (creating the chain when null) and returns it.
    kv_resbuf* AppendValue(kv_resbuf** chain, short type);
    kv_resbuf* AppendString(kv_resbuf** chain, short type, const CKvString& value);
    kv_resbuf* AppendPoint(kv_resbuf** chain, const double point[3], bool is3d = true);
    kv_resbuf* AppendEntityName(kv_resbuf** chain, const int64_t name[2]);
    kv_resbuf* AppendInteger(kv_resbuf** chain, int value);
    kv_resbuf* AppendReal(kv_resbuf** chain, double value);
    // A zero-filled string buffer for a node (len characters plus terminator).
    char16_t* AllocateString(std::size_t len);

    // --- Variables and files
    // Fills *node with the variable's value (strings are allocated; free with ReleaseChain
    // when the node came from NewNode). Returns Normal or Error for an unknown variable.
    // System variables of the host (LOGFILEPATH, DWGNAME, DWGPREFIX) and the settings of the
    // document's drawing.
    int GetSystemVariable(const CKvString& name, kv_resbuf* node);
    // Sets a setting of the document's drawing from a node (5003, 5010, 5001, 5005, 5002,
    // 5009). Returns Normal, Error when the drawing has no such setting, or Rejected when the
    // value does not fit it.
    int SetSystemVariable(const CKvString& name, const kv_resbuf* node);
    int SetLispVariable(const CKvString& name, const kv_resbuf* value);
    int LoadLispFile(const CKvString& path);

    // --- Selection, coordinates and dragging (the document's drawing)
    int Select(const CKvString& mode, const char16_t* const prompts[2], const double* point,
               const kv_resbuf* filter, int64_t selectionSet[2]);
    // from / to: 0 world, 1 user coordinates.
    int TranslatePoint(const double in[3], int from, int to, double out[3]);
    int InitGet(int flags, const CKvString& keywords);
    int DragPrepare(int code, const kv_resbuf* basePoint);
    int DragSelection(const int64_t selectionSet[2], const CKvString& prompt, int cursor,
                      KvDragCallback callback, double out[3]);
    int DragEnd();

    // --- The host side: calling a defined function
    // Calls an external function with an argument chain (taken over by the context).
    // *result receives the chain the handler handed back (null for no value), *kind what
    // kind of result it was. Returns the handler's status.
    enum class ResultKind { NotSet, Void, Nil, Value, List };
    int Invoke(const CKvString& name, kv_resbuf* arguments, kv_resbuf** result, ResultKind* kind);
    bool InCall() const { return m_callDepth > 0; }

    // The LISP engine that evaluates code typed or loaded in this document.
    KvLispEngine& engine();

private:
    void setResult(kv_resbuf* chain, ResultKind kind);

    CKvDocument* m_document;
    QStringList m_order;
    QHash<QString, KvLispFunction> m_functions; // keyed by lower-case name
    kv_resbuf* m_arguments = nullptr;
    kv_resbuf* m_result = nullptr;
    ResultKind m_resultKind = ResultKind::NotSet;
    int m_callDepth = 0;
    int m_initGetFlags = 0;
    CKvString m_initGetKeywords;
    std::unique_ptr<KvLispEngine> m_engine;
};
