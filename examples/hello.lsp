; A first look at the module from LISP: the functions it defines and how a dialog
; function answers when its state file is missing.
(princ "Korvane LISP module loaded.\n")
(setq n 0)
(princ (strcat "2 + 3 = " (itoa (+ 2 3)) "\n"))
(Dlg_TextMask "")
