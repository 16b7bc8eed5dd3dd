;; drawings: examples/drawings/blocks.dxf
; Block information from LISP. From the repository's folder:
;   build/bin/kvhost --script examples/getblockinfo.lsp examples/drawings/blocks.dxf
; Counts the references of each block in model space, and those of the blocks that are
; only used inside other blocks ("Include nested blocks"), shows the list and prints what
; the dialog hands back: the rows shown, and whether a table is wanted in the drawing.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

;; kv-count: counts ((name . n) ...) with one more reference of name.
(defun kv-count (counts name / out found)
  (foreach c counts
    (if (= (car c) name) (setq found T c (cons name (1+ (cdr c)))))
    (setq out (cons c out)))
  (reverse (if found out (cons (cons name 1) out))))

;; kv-references: the block references among entity data lists, counted by block name.
(defun kv-references (entities / counts)
  (foreach data entities
    (if (and (= (cdr (assoc 0 data)) "INSERT") (/= (substr (cdr (assoc 2 data)) 1 1) "*"))
      (setq counts (kv-count counts (cdr (assoc 2 data))))))
  counts)

(defun kv-model-space (/ e out)
  (setq e (entnext))
  (while e (setq out (cons (entget e) out) e (entnext e)))
  (reverse out))

(setq top (kv-references (kv-model-space)))
(setq inside nil)
(foreach b (kv-blocks) (setq inside (append inside (kv-block-entities b))))
(setq nested nil)
(foreach c (kv-references inside)
  (if (not (assoc (car c) top)) (setq nested (append nested (list c)))))

(setq state (strcat (getvar "LOGFILEPATH") "getblockinfo.txt"))
(kv-write-lines state nil)
(setq rows
  (Dlg_getblockinfo state
    (mapcar '(lambda (c) (strcat (car c) ";" (itoa (cdr c)))) top)
    (mapcar '(lambda (c) (strcat (car c) ";" (itoa (cdr c)))) nested)))

(if rows
  (progn
    (princ "Blocks and their references:\n")
    (foreach row rows
      (setq parts (kv-split row "^"))
      (princ (strcat "  " (car parts) ": " (cadr parts) "\n")))
    (if (= (kv-state-value (kv-read-lines state) "!action!") "TABLE")
      (princ "A table of these rows is wanted in the drawing.\n")))
  (princ "Block information closed.\n"))
(princ)
