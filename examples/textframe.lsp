; Text frame options from LISP: the frame's type, offset, size rule and background come
; back in the state file.
(setq state (strcat (getvar "LOGFILEPATH") "textframe.txt"))

; The function answers nil either way; only an accepted dialog rewrites the file, so a
; line the dialog never writes tells whether it was cancelled.
(setq f (open state "w"))
(write-line "pending=yes" f)
(close f)

(Dlg_TextFrame state)
(setq f (open state "r"))
(setq line (read-line f))
(if (= line "pending=yes")
  (princ "The dialog was cancelled; the state file is unchanged.\n")
  (progn
    (princ "Frame options:\n")
    (while line
      (princ (strcat "  " line "\n"))
      (setq line (read-line f)))))
(close f)
(princ)
