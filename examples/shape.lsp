; The shape maker from LISP: the dialog asks for the .shp file, the new shape's name and a
; resolution; writing the shape into the file is the LISP side's work once the dialog was
; accepted. The dialog keeps what was typed from one call to the next.
(setq state (strcat (getvar "LOGFILEPATH") "shape.txt"))
(Dlg_MakeShape state)
(setq f (open state "r"))
(if f
  (progn
    (while (setq line (read-line f))
      (princ (strcat "  " line "\n")))
    (close f))
  (princ "The dialog was cancelled.\n"))
(princ)
