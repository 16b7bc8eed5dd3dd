#pragma once

#include "kernel/KvSystemServices.h"
#include "kernel/KvLispContext.h"
#include "module/DialogRegistry.h"
#include "module/HostServices.h"
#include "module/LispArgs.h"

#include <QStringList>
#include <QVector>

#include <functional>

class CDialogState;
class CKvDialog;

// The one sequence every dialog function follows: find or create the document's dialog,
// require the state file (a string) as first argument, merge it, read the further
// arguments, release the list, run the dialog, write the state back on acceptance and
// hand the LISP value over. Dialogs that differ say so through the options.
struct DialogCallOptions
{
    // Save the state file whatever exec() returned (and then return no value).
    bool saveAlways = false;
    // Ask the host's custom-block utility first; yes means nil and no dialog.
    bool customBlockCheck = false;
    // The dialog keeps no state file: the first argument must still be a string, but it is
    // left for readArguments, nothing is merged and nothing is saved.
    bool withoutStateFile = false;
    // The dialog writes the state file itself, at the moment its buttons choose (before
    // closing with an action that must not write it, say): the handler writes nothing.
    bool dialogSaves = false;
};

namespace DialogFunction {
// The active document's LISP context, where results go.
CKvLispContext* context();
// The steps that do not depend on the dialog's class.
int run(CKvDialog* dialog, CDialogState* state, const DialogCallOptions& options,
        const std::function<void(LispArgs&)>& readArguments,
        const std::function<void(bool accepted, CKvLispContext* context)>& handResult);
// True when the custom-block utility says the call is to be answered with nil.
bool customBlockMode();

// Result values that several dialogs hand back. Lists start with the list-begin node; the
// list-end node is added only when asked for (a context closes an open list itself).
void returnStrings(CKvLispContext* context, const QStringList& items, bool listEnd = false);
void returnInt16s(CKvLispContext* context, const QVector<short>& items, bool listEnd = false);
// The string, or nil for a null string.
void returnStringOrNil(CKvLispContext* context, const QString& text);

// The usual result hook: nil when cancelled, no value when accepted.
struct NilOrVoid
{
    template <class D>
    void operator()(D&, bool accepted, CKvLispContext* context) const
    {
        if (accepted)
            context->ReturnVoid();
        else
            context->ReturnNil();
    }
};
} // namespace DialogFunction

// Runs dialog class D (which offers dialogState()) from slot S.
//   readArguments(D&, LispArgs&): the arguments after the state file.
//   handResult(D&, bool accepted, CKvLispContext*): the LISP value; by default nil when
//   cancelled and no value when accepted.
template <class D, class ReadArgs, class HandResult>
int runDialogFunction(DialogSlot slot, ReadArgs readArguments, HandResult handResult,
                      const DialogCallOptions& options = DialogCallOptions())
{
    if (options.customBlockCheck && DialogFunction::customBlockMode()) {
        LispArgs args(HostServices::activeLispContext());
        args.release();
        if (CKvLispContext* c = DialogFunction::context())
            c->ReturnNil();
        return kvrt::Normal;
    }
    D* dialog = DialogRegistry::dialogFor<D>(slot);
    if (!dialog)
        return DialogFunction::run(nullptr, nullptr, options, nullptr, nullptr);
    return DialogFunction::run(
        dialog, dialog->dialogState(), options, [&](LispArgs& args) { readArguments(*dialog, args); },
        [&](bool accepted, CKvLispContext* c) { handResult(*dialog, accepted, c); });
}

// The usual result: no value when accepted, nil otherwise.
template <class D, class ReadArgs>
int runDialogFunction(DialogSlot slot, ReadArgs readArguments, const DialogCallOptions& options = DialogCallOptions())
{
    return runDialogFunction<D>(
        slot, readArguments, DialogFunction::NilOrVoid(), options);
}

template <class D>
int runDialogFunction(DialogSlot slot, const DialogCallOptions& options = DialogCallOptions())
{
    return runDialogFunction<D>(slot, [](D&, LispArgs&) {}, options);
}
