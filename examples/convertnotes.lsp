; Simple-note conversion options from LISP: which properties the multi-line text keeps,
; how its lines are ordered and whether it wraps words.
(setq state (strcat (getvar "LOGFILEPATH") "convertnotes.txt"))

; The function answers nil either way; only an accepted dialog rewrites the file, so a
; line the dialog never writes tells whether it was cancelled.
(setq f (open state "w"))
(write-line "pending=yes" f)
(close f)

(Dlg_convertsimplesnotes state)
(setq f (open state "r"))
(setq line (read-line f))
(if (= line "pending=yes")
  (princ "The dialog was cancelled; the state file is unchanged.\n")
  (progn
    (princ "Conversion options:\n")
    (while line
      (princ (strcat "  " line "\n"))
      (setq line (read-line f)))))
(close f)
(princ)
