; The text case editor from LISP: write a state file asking for title case, open the
; dialog on a text, then read back the style chosen and the state file the dialog wrote.
(setq state (strcat (getvar "LOGFILEPATH") "textcase.txt"))
(setq f (open state "w"))
(write-line "current=Title" f)
(close f)

(setq style (Dlg_edittextcase state "hELLO wORLD"))
(if style
  (progn
    (princ (strcat "Chosen style: " (itoa style) "\n"))
    (setq f (open state "r"))
    (while (setq line (read-line f))
      (princ (strcat "  " line "\n")))
    (close f))
  (princ "The dialog was cancelled; the state file is unchanged.\n"))
(princ)
