; Dimension style export from LISP. The drawing side writes every dimension style of the
; drawing into a source style file (here our sample stands in for it) and names that file
; in the state file under "filedim". The dialog lists the styles, shows their variables and
; copies the styles the user picks into the .dim file the user names.
(setq state (strcat (getvar "LOGFILEPATH") "dimstyle-export.txt"))
(setq f (open state "w"))
(write-line (strcat "filedim=" (cond ((findfile "styles/sample.dim")) ((findfile "examples/styles/sample.dim")))) f)
(write-line "rbfulltext=TRUE" f)
(close f)

; The dialog script exports to /tmp/kv-dimstyles.dim. An older export is there already, so
; the save dialog asks before it is replaced (on every run).
(close (open "/tmp/kv-dimstyles.dim" "w"))
(Dlg_ExDimensionStyle state)
; Accepted or not, the call gives no value: an export rewrites the state file with the
; styles chosen (lststyles) and the text style option.
(setq f (open state "r"))
(while (setq line (read-line f))
  (princ (strcat "  " line "\n")))
(close f)
(princ "The export:\n")
(setq f (open "/tmp/kv-dimstyles.dim" "r"))
(while (setq line (read-line f))
  (princ (strcat "  " line "\n")))
(close f)
(princ)
