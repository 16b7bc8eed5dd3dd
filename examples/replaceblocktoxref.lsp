;; drawings: examples/drawings/blocks.dxf
; Block replacement by a drawing file, from LISP. From the repository's folder:
;   build/bin/kvhost --script examples/replaceblocktoxref.lsp examples/drawings/blocks.dxf
; The dialog lists the drawing's blocks on the left and the drawings (*.dwg) of the
; drawing's own folder on the right. "Specify blocks" closes it so that block references
; can be picked (a point near one, or #handle; Enter ends); the dialog then comes back with
; their blocks selected. "Apply" ends with what would be replaced.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

(setq state (strcat (getvar "LOGFILEPATH") "replaceblocktoxref.txt"))
(setq folder (getvar "DWGPREFIX"))
(if (= folder "") (setq folder (strcat (getvar "LOGFILEPATH") "Korvane/BreakLine/")))
(setq folder (substr folder 1 (1- (strlen folder)))) ; without the last "/"
(setq entries (mapcar '(lambda (b) (strcat (cdr (assoc 2 b)) "^0")) (kv-blocks)))
(kv-write-lines state (list (strcat "directory=" folder)))

(if (setq lines (kv-run-pick-cycle 'Dlg_replaceblocktoxref state entries))
  (progn
    (princ (strcat "Replace " (kv-names (kv-state-value lines "blockstable")) " by the drawing "
                   (kv-state-value lines "directory") "/" (kv-names (kv-state-value lines "blockstablerep"))
                   ", attached as a reference\n"))
    (princ (strcat "  clean unreferenced items: " (kv-state-value lines "purgeitems") "\n")))
  (princ "Block replacement by reference cancelled.\n"))
(princ)
