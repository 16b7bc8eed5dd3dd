#include "exchange/DialogFunction.h"

#include "exchange/DialogState.h"
#include "kernel/KvSystemServices.h"

#include "widgets/KvDialog.h"

CKvLispContext* DialogFunction::context()
{
    return HostServices::activeLispContext();
}

bool DialogFunction::customBlockMode()
{
    CKvCustBlockUtils* utils = CKvCustBlockUtils::Get();
    return utils && utils->IsCustomBlockMode(ACTIVE_DOCUMENT(), CKvString());
}

int DialogFunction::run(CKvDialog* dialog, CDialogState* state, const DialogCallOptions& options,
                        const std::function<void(LispArgs&)>& readArguments,
                        const std::function<void(bool, CKvLispContext*)>& handResult)
{
    LispArgs args(context());
    // Without a dialog (a document the module never attached) or without the state file
    // there is nothing to show.
    if (!dialog || !state)
        return kvrt::Error;
    if (options.withoutStateFile) {
        if (args.peekType() != kvrt::String)
            return kvrt::Error;
    } else {
        CKvString statePath;
        if (args.nextString(statePath) != LispArgs::Ok)
            return kvrt::Error;
        state->loadStateFile(statePath);
    }
    if (readArguments)
        readArguments(args);
    args.release();

    const bool accepted = dialog->exec() == 1;
    CKvLispContext* c = context();
    if ((accepted || options.saveAlways) && !options.withoutStateFile && !options.dialogSaves)
        state->saveStateFile();
    if (!c)
        return kvrt::Normal;
    if (options.saveAlways)
        c->ReturnVoid();
    else if (handResult)
        handResult(accepted, c);
    else if (accepted)
        c->ReturnVoid();
    else
        c->ReturnNil();
    return kvrt::Normal;
}

namespace {
// Builds a list chain node by node without walking it again for every element (result
// lists of block dialogs run to 100,000 rows), hands it over and frees it.
class ResultList
{
public:
    explicit ResultList(CKvLispContext* context) : m_context(context)
    {
        m_last = m_context->AppendValue(&m_first, kvrt::ListBegin);
    }
    ~ResultList() { m_context->ReleaseChain(m_first); }
    ResultList(const ResultList&) = delete;
    ResultList& operator=(const ResultList&) = delete;
    kv_resbuf* append(short type)
    {
        // Appending to the last node's (empty) next pointer links the node straight there.
        if (kv_resbuf* node = m_context->AppendValue(&m_last->rbnext, type))
            m_last = node;
        return m_last;
    }
    void appendString(const QString& text)
    {
        if (kv_resbuf* node = m_context->AppendString(&m_last->rbnext, kvrt::String, text))
            m_last = node;
    }
    void hand(bool listEnd)
    {
        if (listEnd)
            append(kvrt::ListEnd);
        m_context->ReturnList(m_first);
    }

private:
    CKvLispContext* m_context;
    kv_resbuf* m_first = nullptr;
    kv_resbuf* m_last = nullptr;
};
} // namespace

void DialogFunction::returnStrings(CKvLispContext* c, const QStringList& items, bool listEnd)
{
    if (!c)
        return;
    ResultList list(c);
    for (const QString& item : items)
        list.appendString(item);
    list.hand(listEnd);
}

void DialogFunction::returnInt16s(CKvLispContext* c, const QVector<short>& items, bool listEnd)
{
    if (!c)
        return;
    ResultList list(c);
    for (const short item : items)
        list.append(kvrt::Short)->resval.rint = item;
    list.hand(listEnd);
}

void DialogFunction::returnStringOrNil(CKvLispContext* c, const QString& text)
{
    if (!c)
        return;
    if (text.isNull())
        c->ReturnNil();
    else
        c->ReturnString(text);
}
