;; drawings: examples/drawings/blocks.dxf
; Block replacement from LISP. From the repository's folder:
;   build/bin/kvhost --script examples/replaceblock.lsp examples/drawings/blocks.dxf
; The dialog lists the drawing's blocks, each with the number of its attribute definitions
; (which decides whether the attributes option is offered). "Specify blocks" closes it so
; that block references can be picked (a point near one, or #handle; Enter ends); the
; dialog then comes back with their blocks selected. "Apply" ends with what would be
; replaced.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

(defun kv-attribute-count (block / n)
  (setq n 0)
  (foreach data (kv-block-entities block)
    (if (= (cdr (assoc 0 data)) "ATTDEF") (setq n (1+ n))))
  n)

(setq state (strcat (getvar "LOGFILEPATH") "replaceblock.txt"))
(setq entries
  (mapcar '(lambda (b) (strcat (cdr (assoc 2 b)) "^" (itoa (kv-attribute-count b)))) (kv-blocks)))
(kv-write-lines state (list "purgeitems=TRUE"))

(if (setq lines (kv-run-pick-cycle 'Dlg_replaceblock state entries))
  (progn
    (princ (strcat "Replace " (kv-names (kv-state-value lines "blockstable"))
                   " by " (kv-names (kv-state-value lines "blockstablerep")) "\n"))
    (princ (strcat "  clean unreferenced items: " (kv-state-value lines "purgeitems")
                   ", update attributes: " (kv-state-value lines "attsync") "\n")))
  (princ "Block replacement cancelled.\n"))
(princ)
