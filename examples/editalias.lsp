; Command alias editor from LISP: the dialog edits the host's alias file (alias.xml in its
; support folder) and writes it on OK. Afterwards the program counts the aliases in the
; file, shows the first three and the file the state says the aliases went to (the state
; file is written only when the dialog ends with OK; the call itself gives no value then).
(setq state "/tmp/kv-editalias.state")
(close (open state "w"))
(Dlg_EditAlias state)
(setq f (open (findfile "alias.xml") "r"))
(setq n 0)
(while (setq line (read-line f))
  (if (equal (substr line 1 11) "    <record")
    (progn
      (if (< n 3) (princ (strcat "  " line "\n")))
      (setq n (1+ n)))))
(close f)
(princ (strcat "  aliases: " (itoa n) "\n"))
(setq f (open state "r"))
(while (setq line (read-line f))
  (if (equal (substr line 1 8) "txalias=")
    (princ (strcat "  written to " (substr line 9) "\n"))))
(close f)
(princ)
