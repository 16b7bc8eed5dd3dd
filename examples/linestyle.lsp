; The line style maker from LISP: the dialog asks for the .lin file, the new style's name
; and its description; writing the style's definition into the file is the LISP side's
; work once the dialog was accepted.
(setq state (strcat (getvar "LOGFILEPATH") "linestyle.txt"))
(setq f (open state "w"))
(write-line (strcat "linetypefile=" (cond ((findfile "styles/sample.lin")) ((findfile "examples/styles/sample.lin")))) f)
(write-line "description=Gas line ---- GAS ---- GAS ----" f)
(close f)

(Dlg_makelinestyle state)
(setq f (open state "r"))
(while (setq line (read-line f))
  (princ (strcat "  " line "\n")))
(close f)
(princ)
