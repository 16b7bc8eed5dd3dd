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
    CKvString statePath;
    if (args.nextString(statePath) != LispArgs::Ok)
        return kvrt::Error;
    state->loadStateFile(statePath);
    if (readArguments)
        readArguments(args);
    args.release();

    const bool accepted = dialog->exec() == 1;
    CKvLispContext* c = context();
    if (accepted || options.saveAlways)
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
