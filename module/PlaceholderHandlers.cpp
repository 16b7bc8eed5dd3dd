// Functions whose tools are still to come answer as they do for bad input: a dialog
// function needs its state file (a string) first, the others yield no value.
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

int plainPlaceholder()
{
    LispArgs args(HostServices::activeLispContext());
    args.release();
    if (CKvLispContext* context = HostServices::activeLispContext())
        context->ReturnVoid();
    return kvrt::Normal;
}
} // namespace

namespace kvlisp {
int Dlg_LispExplorer() { return plainPlaceholder(); }
int Dlg_PatternHatch() { return dialogPlaceholder(); }
int Dlg_BreakLine() { return dialogPlaceholder(); }
int Dlg_getblockinfo() { return dialogPlaceholder(); }
int Dlg_edittextcase() { return dialogPlaceholder(); }
int Dlg_exportsetting() { return dialogPlaceholder(); }
int Dlg_replaceblock() { return dialogPlaceholder(); }
int Dlg_replaceblocktoxref() { return dialogPlaceholder(); }
int Dlg_convertsimplesnotes() { return dialogPlaceholder(); }
int Dlg_makelinestyle() { return dialogPlaceholder(); }
int Dlg_imporAttributes() { return dialogPlaceholder(); }
int Dlg_NumberText() { return dialogPlaceholder(); }
int Dlg_TextFrame() { return dialogPlaceholder(); }
int Dlg_TextMask() { return dialogPlaceholder(); }
int CreateRtext() { return plainPlaceholder(); }
int Dlg_ExDimensionStyle() { return dialogPlaceholder(); }
int Dlg_ImDimensionStyle() { return dialogPlaceholder(); }
int Dlg_ShowLinks() { return dialogPlaceholder(); }
int Dlg_DrawOrderColor() { return dialogPlaceholder(); }
int Dlg_RedefinePaths() { return dialogPlaceholder(); }
int Dlg_MergeSheets() { return dialogPlaceholder(); }
int Dlg_ExportInfo() { return dialogPlaceholder(); }
int Dlg_EditAlias() { return dialogPlaceholder(); }
int Dlg_MakeShape() { return dialogPlaceholder(); }
int Dlg_MultiViewSetup() { return dialogPlaceholder(); }
int c_setbackupfolder() { return plainPlaceholder(); }
int QUOR_entfield() { return plainPlaceholder(); }
int QUOR_ssget() { return plainPlaceholder(); }
int QUOR_getpoint() { return plainPlaceholder(); }
int QUOR_getstring() { return plainPlaceholder(); }
int QUOR_getkword() { return plainPlaceholder(); }
int QUOR_EntSel() { return plainPlaceholder(); }
int QUOR_ssget_filter() { return plainPlaceholder(); }
int initgetKorvane() { return plainPlaceholder(); }
int getPointKorvane() { return plainPlaceholder(); }
int getIntKorvane() { return plainPlaceholder(); }
int getKwordKorvane() { return plainPlaceholder(); }
int getStringKorvane() { return plainPlaceholder(); }
int getRealKorvane() { return plainPlaceholder(); }
int getDistKorvane() { return plainPlaceholder(); }
int getAngleKorvane() { return plainPlaceholder(); }
int getCornerKorvane() { return plainPlaceholder(); }
int acet_ss_drag_move() { return plainPlaceholder(); }
} // namespace kvlisp
