; Settings export from LISP: one script line per system variable setting, marked
; "read-only" or "dangerous" where that applies. The dialog shows them by kind and writes
; the shown lines to a new script ("new") or appends them to an existing one ("add").
(Dlg_exportsetting (cond ((findfile "styles/settings.txt")) ((findfile "examples/styles/settings.txt"))) "new")
(princ)
