; Sheet merge options from LISP: the sheet names go to the dialog as strings, in any
; order; the sheets to merge, the target name and the two options come back in the state
; file (blockstable=<name>^<name>^..., targetlayout=..., purgeitems, deleteitems).
(setq state (strcat (getvar "LOGFILEPATH") "mergesheets.txt"))

; The function answers nil either way; only an accepted dialog rewrites the file, so a
; line the dialog never writes tells whether it was cancelled.
(setq f (open state "w"))
(write-line "pending=yes" f)
(close f)

(Dlg_MergeSheets state "Sheet 10" "Details" "Sheet 2" "Cover" "Sheet 1")
(setq f (open state "r"))
(setq line (read-line f))
(if (= line "pending=yes")
  (princ "The dialog was cancelled; the state file is unchanged.\n")
  (progn
    (princ "Merge options:\n")
    (while line
      (princ (strcat "  " line "\n"))
      (setq line (read-line f)))))
(close f)
(princ)
