; Settings export from LISP: one script line per system variable setting, marked
; "read-only" or "dangerous" where that applies. The dialog shows them by kind and writes
; the shown lines to a new script ("new") or appends them to an existing one ("add"); here
; it appends to a script that holds a comment line.
(setq script "/tmp/kv-settings.scr")
(setq f (open script "w"))
(write-line "; settings of sample.dwg" f)
(close f)
(Dlg_exportsetting (cond ((findfile "styles/settings.txt")) ((findfile "examples/styles/settings.txt"))) "add")
(setq f (open script "r"))
(while (setq line (read-line f))
  (princ (strcat "  " line "\n")))
(close f)
(princ)
