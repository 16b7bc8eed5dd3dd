; Dimension style import from LISP. The state file names the .dim file to list (txexport)
; and the dimension and text styles the drawing holds already, so that the dialog can tell
; which of them an import would overwrite. The import itself is the LISP side's, from the
; styles chosen (lststyles) and the two overwrite options the dialog writes back.
(setq state (strcat (getvar "LOGFILEPATH") "dimstyle-import.txt"))
(setq f (open state "w"))
(write-line (strcat "txexport=" (cond ((findfile "styles/sample.dim")) ((findfile "examples/styles/sample.dim")))) f)
(foreach line
  (list "dimstylelength=2" "dimstyle1=Standard" "dimstyle2=ISO-25"
        "textstylelength=2" "textstyle1=Standard" "textstyle2=Arch")
  (write-line line f))
(close f)

(Dlg_ImDimensionStyle state)
(setq f (open state "r"))
(while (setq line (read-line f))
  (princ (strcat "  " line "\n")))
(close f)
(princ)
