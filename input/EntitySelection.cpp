// QUOR_EntSel, QUOR_ssget, QUOR_ssget_filter and QUOR_entfield: entities and selections
// asked for through the host's own prompts.
#include "input/InputSupport.h"
#include "module/HostServices.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

using InputSupport::Host;

namespace {
// The values the host's prompts are called with, as the suite's commands use them.
constexpr int kEntityPromptHint1 = 2;
constexpr int kEntityPromptHint2 = 105;
constexpr unsigned kSelectionModeMask = 0x7f1ff;
constexpr int kSelectionPromptKind = 1;
constexpr int kKeywordFlagsWithSelection = 2;

// A user who keeps pressing Enter after a first selection is asked again; this bound only
// keeps a host that never answers anything but "none" from holding the call for ever.
constexpr int kMaxSelectionCycles = 100000;

// Puts a filter item's text into the node as the value its group code carries. False when
// the text is no such value (a colour that is no number, a point that is not "x,y[,z]").
bool setGroupValue(CKvLispContext* context, kv_resbuf* node, const CKvString& text)
{
    const QLocale c = QLocale::c();
    bool ok = false;
    switch (kvGroupValueType(node->restype)) {
    case KvGroupValue::String:
        node->resval.rstring = context->AllocateString(std::size_t(text.size()));
        if (!node->resval.rstring)
            return false;
        std::copy(text.utf16z(), text.utf16z() + text.size(), node->resval.rstring);
        return true;
    case KvGroupValue::Short:
        node->resval.rint = c.toShort(text.trimmed(), &ok);
        return ok;
    case KvGroupValue::Long:
        node->resval.rlong = c.toInt(text.trimmed(), &ok);
        return ok;
    case KvGroupValue::Real:
        node->resval.rreal = c.toDouble(text.trimmed(), &ok);
        return ok && std::isfinite(node->resval.rreal);
    case KvGroupValue::Point: {
        const QStringList parts = text.split(QLatin1Char(','));
        if (parts.size() < 2 || parts.size() > 3)
            return false;
        for (int i = 0; i < parts.size(); ++i) {
            node->resval.rpoint[i] = c.toDouble(parts.at(i).trimmed(), &ok);
            if (!ok || !std::isfinite(node->resval.rpoint[i]))
                return false;
        }
        return true;
    }
    case KvGroupValue::Name:
        return false; // an entity is never written as text
    }
    return false;
}
} // namespace

namespace kvlisp {

int QUOR_EntSel()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    CKvString keywords, message, prompt;
    if (args.nextString(keywords) != LispArgs::Ok || args.nextString(message) != LispArgs::Ok
        || args.nextString(prompt) != LispArgs::Ok || !ready)
        return kvrt::Normal;
    args.release();

    const CKvStringArray list = InputSupport::splitKeywords(keywords);
    std::shared_ptr<CKvSelectionSet> set(host.document->NewSelectionSet());
    if (!keywords.isEmpty())
        host.userIO->InitGet(0, list, list);
    else
        host.userIO->InitGet(0);
    host.userIO->SetMessage(message);
    const CKvString composed = host.userIO->ComposePromptString(prompt, CKvString());

    double pickPoint[3] = {0, 0, 0};
    int unused = 0;
    const int status = host.userIO->GetEntity(composed, set.get(), 0, pickPoint, &unused, kEntityPromptHint1,
                                              kEntityPromptHint2, nullptr);
    switch (status) {
    case kvrt::Normal: {
        set->PostPick(true);
        kv_resbuf* list = nullptr;
        host.context->AppendValue(&list, kvrt::ListBegin);
        int64_t name[2] = {0, 0};
        if (set->Count() > 0 && CKvAPI::GetADSName(set->GetObjectId(0), name) == kvrt::Normal) {
            host.context->AppendPoint(&list, pickPoint, true);
            host.context->AppendEntityName(&list, name);
            host.context->AppendValue(&list, kvrt::ListEnd);
            host.context->ReturnList(list);
        } else {
            host.context->ReturnNil();
        }
        host.context->ReleaseChain(list);
        break;
    }
    case kvrt::Keyword:
        host.context->ReturnString(host.userIO->GetKeywordText());
        break;
    case kvrt::Cancel:
        host.context->ReturnString(CKvString("CANCEL"));
        break;
    default:
        host.context->ReturnNil();
        break;
    }
    return kvrt::Normal;
}

int QUOR_ssget()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    CKvString keywords, message, prompt, removePrompt;
    short number = 0;
    bool single = false;
    if (args.nextString(keywords) != LispArgs::Ok || args.nextString(message) != LispArgs::Ok
        || args.nextString(prompt) != LispArgs::Ok || args.nextString(removePrompt) != LispArgs::Ok
        || args.nextInt16(number) != LispArgs::Ok || args.nextNilOrT(single) != LispArgs::Ok || !ready)
        return kvrt::Normal;
    args.release();

    const CKvStringArray list = InputSupport::splitKeywords(keywords);
    // One set for the whole call: a second pass adds to what the first selected.
    std::shared_ptr<CKvSelectionSet> set(host.document->NewSelectionSet());
    bool firstPass = true;
    bool returnList = true;
    for (int cycle = 0;; ++cycle) {
        if (cycle >= kMaxSelectionCycles) {
            host.context->ReturnNil();
            returnList = false;
            break;
        }
        if (!keywords.isEmpty())
            host.userIO->InitGet(kKeywordFlagsWithSelection, list, list);
        else
            host.userIO->InitGet(0);
        if (cycle == 0)
            host.userIO->SetMessage(message);
        if (single)
            firstPass = true;
        const CKvString composed = host.userIO->ComposePromptString(prompt, CKvString());
        const CKvString composedRemove = host.userIO->ComposePromptString(removePrompt, CKvString());
        const int status = host.userIO->GetSelection(kSelectionPromptKind, set.get(), kSelectionModeMask, composed,
                                                     composedRemove, nullptr, nullptr, firstPass, number, nullptr);
        bool stop = false;
        switch (status) {
        case kvrt::None:
            if (cycle == 0) {
                host.context->ReturnVoid();
                returnList = false;
                stop = true;
            }
            break;
        case kvrt::Keyword:
            host.context->ReturnString(host.userIO->GetKeywordText());
            returnList = false;
            stop = true;
            break;
        case kvrt::Cancel:
            host.context->ReturnNil();
            returnList = false;
            stop = true;
            break;
        case kvrt::Normal:
            set->PostPick(true);
            stop = cycle != 0 || single;
            break;
        default:
            break;
        }
        if (stop)
            break;
        firstPass = false;
    }
    if (returnList)
        InputSupport::returnEntityList(host.context, *set);
    return kvrt::Normal;
}

int QUOR_ssget_filter()
{
    Host host;
    const bool ready = InputSupport::activeHost(host);
    LispArgs args(host.context);
    CKvString mode, prompt, keywords;
    if (args.nextString(mode) != LispArgs::Ok || args.nextString(prompt) != LispArgs::Ok
        || args.nextString(keywords) != LispArgs::Ok || !ready)
        return kvrt::Normal;

    // Filter items: a short integer sets the group code of the next string; a string adds a
    // node of the running code (group 0, the entity type, unless a code was given), holding
    // the value of the type that code carries: "1" for colour 62 is the number 1. A text
    // that is no such value is an argument of the wrong type.
    struct FilterChain
    {
        CKvLispContext* context;
        kv_resbuf* head = nullptr;
        ~FilterChain() { context->ReleaseChain(head); }
    } filter{host.context};
    short running = kvrt::Dxf0;
    for (const kv_resbuf* n = args.peek(); n; n = n->rbnext) {
        if (n->restype == kvrt::Short) {
            running = n->resval.rint;
        } else if (n->restype == kvrt::String) {
            kv_resbuf* node = host.context->AppendValue(&filter.head, running);
            if (!node || !setGroupValue(host.context, node, CKvString(n->resval.rstring)))
                return kvrt::Normal;
            running = kvrt::Dxf0;
        }
    }
    args.release();

    const CKvString removePrompt = QCoreApplication::translate("Korvane", "\nRemove entities: ");
    const CKvStringArray list = InputSupport::splitKeywords(keywords);
    if (!list.isEmpty())
        host.userIO->InitGet(kKeywordFlagsWithSelection, list, list);
    else
        host.userIO->InitGet(0);
    const CKvString composed = host.userIO->ComposePrompt(prompt);

    // The two prompt strings live until the selection call has returned and are freed with
    // this scope.
    const std::u16string promptText(composed.utf16z(), std::size_t(composed.size()));
    const std::u16string removeText(removePrompt.utf16z(), std::size_t(removePrompt.size()));
    const char16_t* const prompts[2] = {promptText.c_str(), removeText.c_str()};

    int64_t setName[2] = {0, 0};
    const int status = host.context->Select(mode, prompts, nullptr, filter.head, setName);
    switch (status) {
    case kvrt::Normal: {
        CKvSelectionSetPtr set;
        if (CKvAPI::GetSSPtr(setName, set) == kvrt::Normal && set)
            InputSupport::returnEntityList(host.context, *set);
        else
            host.context->ReturnNil();
        break;
    }
    case kvrt::Cancel:
        host.context->ReturnString(CKvString(" "));
        break;
    default:
        host.context->ReturnNil();
        break;
    }
    return kvrt::Normal;
}

int QUOR_entfield()
{
    CKvLispContext* context = HostServices::activeLispContext();
    LispArgs args(context);
    int64_t name[2] = {0, 0};
    // Without an entity name there is nothing to test: an error, with a status the engine
    // knows (no status 0).
    if (!context || args.nextEntityName(name) != LispArgs::Ok)
        return kvrt::Error;
    args.release();

    OdDbObjectId id;
    const int status = CKvAPI::GetObjectId(name, id);
    if (status != kvrt::Normal)
        return status;
    const OdDbObject* object = id.openObject();
    if (!object)
        return kvrt::Error;
    if (object->hasFields()) {
        kv_resbuf* t = context->NewNode(kvrt::T);
        context->ReturnValue(t);
        context->ReleaseChain(t);
    } else {
        context->ReturnNil();
    }
    return kvrt::Normal;
}

} // namespace kvlisp
