; Block attribute import from LISP. From the repository's folder:
;   build/bin/kvhost --dialog-script examples/dialog-scripts/importattributes.txt \
;       --script examples/importattributes.lsp
; The dialog shows an attribute file (examples/attributes/doors.txt: one line of attribute
; tags, then one line of values per door), and hands back the tags and the rows the user
; picked, in the order picked, as the state file's action: records joined by "^", values by
; tabs. Here each picked row is printed as the tag=value pairs a block would get.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

(setq state (strcat (getvar "LOGFILEPATH") "importattributes.txt"))
(kv-write-lines state (list "pending=yes"))

(Dlg_imporAttributes state)
(setq lines (kv-read-lines state))
(if (= (car lines) "pending=yes")
  (princ "Attribute import cancelled.\n")
  (progn
    (setq records (kv-split (kv-state-value lines "!action!") "^"))
    (setq tags (kv-split (car records) (chr 9)))
    (princ (strcat "Attribute file: " (kv-state-value lines "attributefile") "\n"))
    (princ (strcat (itoa (length (cdr records))) " rows to import, in the order picked:\n"))
    (foreach record (cdr records)
      (setq values (kv-split record (chr 9)) pairs nil i 0)
      (foreach tag tags
        (setq pairs (cons (strcat tag "=" (nth i values)) pairs) i (1+ i)))
      (princ (strcat "  " (kv-join (reverse pairs) ", ") "\n")))))
(princ)
