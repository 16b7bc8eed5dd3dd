; Path redefinition from LISP. From the repository's folder:
;   build/bin/kvhost --dialog-script examples/dialog-scripts/redefinepaths.txt \
;       --script examples/redefinepaths.lsp
; The paths a drawing refers to come as "type^name^path" records (here read from
; examples/paths/references.txt, as a utility would collect them from the drawing); the
; state file's "modes" line says which types to list. The dialog hands back every record it
; listed, with the paths as edited, for the utility to write into the drawing.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

(setq records (kv-read-lines "examples/paths/references.txt"))
(setq state (strcat (getvar "LOGFILEPATH") "redefinepaths.txt"))
(kv-write-lines state (list "modes=Xrefs,Images,Rtext"))

(setq edited (apply 'Dlg_RedefinePaths (cons state records)))
(if edited
  (progn
    (princ (strcat (itoa (length edited)) " paths to write back:\n"))
    (foreach record edited
      (setq parts (kv-split record "^"))
      (princ (strcat "  " (car parts) " " (cadr parts) ": "
                     (kv-join (cddr parts) "^") "\n"))))
  (princ "Path redefinition cancelled.\n"))
(princ)
