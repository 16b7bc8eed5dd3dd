; Text mask options from LISP. The dialog takes the state file's values every time it
; opens, so the LISP side can preset the offset and the entity type. While "Mask" is chosen
; the dialog turns the drawing's WIPEOUTFRAME setting to 0; any other type gives it back.
(setq state (strcat (getvar "LOGFILEPATH") "textmask.txt"))

; The function answers nil either way; only an accepted dialog rewrites the file, so a
; line the dialog never writes tells whether it was cancelled.
(setq f (open state "w"))
(write-line "pending=yes" f)
(write-line "offset=0.5" f)
(write-line "type_solid=TRUE" f)
(close f)

(princ (strcat "WIPEOUTFRAME before: " (itoa (getvar "WIPEOUTFRAME")) "\n"))
(Dlg_TextMask state)
(princ (strcat "WIPEOUTFRAME after: " (itoa (getvar "WIPEOUTFRAME")) "\n"))
(setq f (open state "r"))
(setq line (read-line f))
(if (= line "pending=yes")
  (princ "The dialog was cancelled; the state file is unchanged.\n")
  (progn
    (princ "Mask options:\n")
    (while line
      (princ (strcat "  " line "\n"))
      (setq line (read-line f)))))
(close f)
(princ)
