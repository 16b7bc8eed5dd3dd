; Text numbering options from LISP: open the dialog on a state file, then read back what
; the user chose. The dialog keeps its controls between calls; the file only carries the
; choice out (sort_*, sent_*, tx_init, tx_step, cb_digits, placement_*, search ...).
(setq state (strcat (getvar "LOGFILEPATH") "numbertext.txt"))

; The function answers nil either way; only an accepted dialog rewrites the file, so a
; line the dialog never writes tells whether it was cancelled.
(setq f (open state "w"))
(write-line "pending=yes" f)
(close f)

(Dlg_NumberText state)
(setq f (open state "r"))
(setq line (read-line f))
(if (= line "pending=yes")
  (princ "The dialog was cancelled; the state file is unchanged.\n")
  (progn
    (princ "Numbering options:\n")
    (while line
      (princ (strcat "  " line "\n"))
      (setq line (read-line f)))))
(close f)
(princ)
