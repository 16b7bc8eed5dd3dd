; The LISP explorer from LISP: write the symbol file it reads, then open it on the page of
; loaded symbols. One symbol a line, fields separated by "!":
;   COMMAND or FUNCTION ! name ! data type ! type ! definition
;   VARIABLE ! name ! data type ! value
; The explorer's Export... button turns these lines into a dump of setq comments.
(setq symbols (strcat (getvar "LOGFILEPATH") "lispsymbols.txt"))
(setq f (open symbols "w"))
(foreach line
  (list
    "COMMAND!C:KVMID!USUBR!Command!'(/ a b m)"
    "COMMAND!C:KVNAMES!USUBR!Command!'(/ s)"
    "FUNCTION!KV-TRIM!USUBR!Function!'(text)"
    "FUNCTION!KV-SPLIT!USUBR!Function!'(text sep / parts start i)"
    "FUNCTION!KV-MIDPOINT!USUBR!Function!'(p1 p2)"
    "FUNCTION!KV-PERIMETER!USUBR!Function!'(pts / total prev)"
    "VARIABLE!KV-LAYER!STR!Annotation"
    "VARIABLE!KV-TEXTHEIGHT!REAL!2.5"
    "VARIABLE!KV-COUNT!INT!12"
    "VARIABLE!KV-ORIGIN!LIST!(0.0 0.0 0.0)")
  (write-line line f))
(close f)

(Dlg_LispExplorer symbols "DUMP")
(princ)
