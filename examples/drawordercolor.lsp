; Draw order by colour from LISP: the colour numbers used in the drawing go to the dialog
; as strings; the order the user gives them comes back as a list of integers, top first,
; and the options in the state file (draworder/handles, front/back, modifiyblocks, onlycolor).
(setq state (strcat (getvar "LOGFILEPATH") "drawordercolor.txt"))

(setq order (Dlg_DrawOrderColor state "1" "3" "5" "30" "256" "8"))
(if order
  (progn
    (princ "Colours from bottom to top of the stack: ")
    (princ order)
    (princ "\n")
    (setq f (open state "r"))
    (while (setq line (read-line f))
      (princ (strcat "  " line "\n")))
    (close f))
  (princ "The dialog was cancelled.\n"))
(princ)
