#pragma once

// The handlers of the module's LISP functions. Each reads its arguments from the active
// document's LISP context, hands its value back there and returns a status code.
namespace kvlisp {
int Dlg_LispExplorer();
int Dlg_PatternHatch();
int Dlg_BreakLine();
int Dlg_getblockinfo();
int Dlg_edittextcase();
int Dlg_exportsetting();
int Dlg_replaceblock();
int Dlg_replaceblocktoxref();
int Dlg_convertsimplesnotes();
int Dlg_makelinestyle();
int Dlg_imporAttributes();
int Dlg_NumberText();
int Dlg_TextFrame();
int Dlg_TextMask();
int CreateRtext();
int Dlg_ExDimensionStyle();
int Dlg_ImDimensionStyle();
int Dlg_ShowLinks();
int Dlg_DrawOrderColor();
int Dlg_RedefinePaths();
int Dlg_MergeSheets();
int Dlg_ExportInfo();
int Dlg_EditAlias();
int Dlg_MakeShape();
int Dlg_MultiViewSetup();
int c_setbackupfolder();
int QUOR_entfield();
int QUOR_ssget();
int QUOR_getpoint();
int QUOR_getstring();
int QUOR_getkword();
int QUOR_EntSel();
int QUOR_ssget_filter();
int initgetKorvane();
int getPointKorvane();
int getIntKorvane();
int getKwordKorvane();
int getStringKorvane();
int getRealKorvane();
int getDistKorvane();
int getAngleKorvane();
int getCornerKorvane();
int acet_ss_drag_move();
} // namespace kvlisp
