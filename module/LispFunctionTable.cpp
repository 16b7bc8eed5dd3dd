#include "module/LispFunctionTable.h"

#include "kernel/KvDocument.h"
#include "module/LispHandlers.h"

#include <new>

namespace {

// No exception may cross into the host's LISP engine: a handler that throws answers
// with the error status instead.
template <int (*Handler)()>
int guarded()
{
    try {
        return Handler();
    } catch (const std::bad_alloc&) {
        return kvrt::Error;
    } catch (...) {
        return kvrt::Error;
    }
}

const LispFunctionEntry g_table[LispFunctionTable::Count] = {
    {"Dlg_LispExplorer", &guarded<&kvlisp::Dlg_LispExplorer>},
    {"Dlg_PatternHatch", &guarded<&kvlisp::Dlg_PatternHatch>},
    {"Dlg_BreakLine", &guarded<&kvlisp::Dlg_BreakLine>},
    {"Dlg_getblockinfo", &guarded<&kvlisp::Dlg_getblockinfo>},
    {"Dlg_edittextcase", &guarded<&kvlisp::Dlg_edittextcase>},
    {"Dlg_exportsetting", &guarded<&kvlisp::Dlg_exportsetting>},
    {"Dlg_replaceblock", &guarded<&kvlisp::Dlg_replaceblock>},
    {"Dlg_replaceblocktoxref", &guarded<&kvlisp::Dlg_replaceblocktoxref>},
    {"Dlg_convertsimplesnotes", &guarded<&kvlisp::Dlg_convertsimplesnotes>},
    {"Dlg_makelinestyle", &guarded<&kvlisp::Dlg_makelinestyle>},
    {"Dlg_imporAttributes", &guarded<&kvlisp::Dlg_imporAttributes>},
    {"Dlg_NumberText", &guarded<&kvlisp::Dlg_NumberText>},
    {"Dlg_TextFrame", &guarded<&kvlisp::Dlg_TextFrame>},
    {"Dlg_TextMask", &guarded<&kvlisp::Dlg_TextMask>},
    {"CreateRtext", &guarded<&kvlisp::CreateRtext>},
    {"Dlg_ExDimensionStyle", &guarded<&kvlisp::Dlg_ExDimensionStyle>},
    {"Dlg_ImDimensionStyle", &guarded<&kvlisp::Dlg_ImDimensionStyle>},
    {"Dlg_ShowLinks", &guarded<&kvlisp::Dlg_ShowLinks>},
    {"Dlg_DrawOrderColor", &guarded<&kvlisp::Dlg_DrawOrderColor>},
    {"Dlg_RedefinePaths", &guarded<&kvlisp::Dlg_RedefinePaths>},
    {"Dlg_MergeSheets", &guarded<&kvlisp::Dlg_MergeSheets>},
    {"Dlg_ExportInfo", &guarded<&kvlisp::Dlg_ExportInfo>},
    {"Dlg_EditAlias", &guarded<&kvlisp::Dlg_EditAlias>},
    {"Dlg_MakeShape", &guarded<&kvlisp::Dlg_MakeShape>},
    {"Dlg_MultiViewSetup", &guarded<&kvlisp::Dlg_MultiViewSetup>},
    {"c:setbackupfolder", &guarded<&kvlisp::c_setbackupfolder>},
    {"QUOR_entfield", &guarded<&kvlisp::QUOR_entfield>},
    {"QUOR_ssget", &guarded<&kvlisp::QUOR_ssget>},
    {"QUOR_getpoint", &guarded<&kvlisp::QUOR_getpoint>},
    {"QUOR_getstring", &guarded<&kvlisp::QUOR_getstring>},
    {"QUOR_getkword", &guarded<&kvlisp::QUOR_getkword>},
    {"QUOR_EntSel", &guarded<&kvlisp::QUOR_EntSel>},
    {"QUOR_ssget_filter", &guarded<&kvlisp::QUOR_ssget_filter>},
    {"initgetKorvane", &guarded<&kvlisp::initgetKorvane>},
    {"getPointKorvane", &guarded<&kvlisp::getPointKorvane>},
    {"getIntKorvane", &guarded<&kvlisp::getIntKorvane>},
    {"getKwordKorvane", &guarded<&kvlisp::getKwordKorvane>},
    {"getStringKorvane", &guarded<&kvlisp::getStringKorvane>},
    {"getRealKorvane", &guarded<&kvlisp::getRealKorvane>},
    {"getDistKorvane", &guarded<&kvlisp::getDistKorvane>},
    {"getAngleKorvane", &guarded<&kvlisp::getAngleKorvane>},
    {"getCornerKorvane", &guarded<&kvlisp::getCornerKorvane>},
    {"acet-ss-drag-move", &guarded<&kvlisp::acet_ss_drag_move>},
};

} // namespace

const LispFunctionEntry* LispFunctionTable::entries()
{
    return g_table;
}

void LispFunctionTable::defineAll(CKvDocument* document)
{
    if (!document)
        return;
    // The context is asked for again for every entry, as the host expects of modules.
    for (const LispFunctionEntry& e : g_table)
        if (CKvLispContext* context = document->GetLispContext())
            context->DefineFunction(CKvString(e.name), e.handler);
}

void LispFunctionTable::undefineAll(CKvDocument* document)
{
    if (!document)
        return;
    for (const LispFunctionEntry& e : g_table)
        if (CKvLispContext* context = document->GetLispContext())
            context->UndefineFunction(CKvString(e.name));
}
