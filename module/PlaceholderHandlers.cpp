// Dialog functions whose tools are still to come answer as they do for bad input: they
// need their state file (a string) first.
#include "module/HostServices.h"
#include "module/LispArgs.h"
#include "module/LispHandlers.h"

#include "kernel/KvLispContext.h"

namespace {
int dialogPlaceholder()
{
    LispArgs args(HostServices::activeLispContext());
    if (!args.first() || args.first()->restype != kvrt::String)
        return kvrt::Error;
    args.release();
    if (CKvLispContext* context = HostServices::activeLispContext())
        context->ReturnVoid();
    return kvrt::Normal;
}
} // namespace

namespace kvlisp {
int Dlg_ShowLinks() { return dialogPlaceholder(); }
int Dlg_ExportInfo() { return dialogPlaceholder(); }
int Dlg_EditAlias() { return dialogPlaceholder(); }
} // namespace kvlisp
