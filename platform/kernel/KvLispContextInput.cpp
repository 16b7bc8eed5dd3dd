// Selection, coordinates and dragging of the LISP context.
#include "kernel/KvLispContext.h"

#include "kernel/KvDocument.h"

int CKvLispContext::Select(const CKvString&, const char16_t* const[2], const double*, const kv_resbuf*, int64_t selectionSet[2])
{
    if (selectionSet)
        selectionSet[0] = selectionSet[1] = 0;
    return kvrt::Error;
}

int CKvLispContext::TranslatePoint(const double in[3], int from, int to, double out[3])
{
    if (!in || !out)
        return kvrt::Error;
    const double* origin = m_document ? m_document->UcsOrigin() : nullptr;
    for (int i = 0; i < 3; ++i) {
        double v = in[i];
        if (origin && from == 1 && to == 0)
            v += origin[i];
        else if (origin && from == 0 && to == 1)
            v -= origin[i];
        out[i] = v;
    }
    return kvrt::Normal;
}

int CKvLispContext::InitGet(int flags, const CKvString& keywords)
{
    m_initGetFlags = flags;
    m_initGetKeywords = keywords;
    return kvrt::Normal;
}

int CKvLispContext::DragPrepare(int, const kv_resbuf*)
{
    return kvrt::Normal;
}

int CKvLispContext::DragSelection(const int64_t[2], const CKvString&, int, KvDragCallback, double out[3])
{
    if (out)
        out[0] = out[1] = out[2] = 0;
    return kvrt::Error;
}

int CKvLispContext::DragEnd()
{
    return kvrt::Normal;
}
