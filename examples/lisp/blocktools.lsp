;;; blocktools.lsp -- what the block tool examples share: state files, the block table,
;;; block references picked in the drawing.
;;; Load it with (load "examples/lisp/blocktools.lsp") from the repository's folder.

(load "strings.lsp") ; kv-split, kv-join

;; kv-names: a table's state value ("A^B^") as words: "A, B".
(defun kv-names (value / names)
  (foreach name (kv-split value "^") (if (/= name "") (setq names (cons name names))))
  (kv-join (reverse names) ", "))

;; kv-read-lines / kv-write-lines: a text file as a list of lines.
(defun kv-read-lines (path / f line lines)
  (if (setq f (open path "r"))
    (progn
      (while (setq line (read-line f)) (setq lines (cons line lines)))
      (close f)))
  (reverse lines))

(defun kv-write-lines (path lines / f)
  (setq f (open path "w"))
  (foreach line lines (write-line line f))
  (close f))

;; kv-key-of: the name of a "name=value" line, in upper case (nil without "=").
(defun kv-key-of (line / parts)
  (setq parts (kv-split line "="))
  (if (cdr parts) (strcase (car parts))))

;; kv-state-value: the value of the first line of that name (names compared ignoring case).
(defun kv-state-value (lines name / value)
  (foreach line lines
    (if (and (not value) (= (kv-key-of line) (strcase name)))
      (setq value (substr line (+ 2 (strlen name))))))
  value)

;; kv-state-set: the lines with the value of that name replaced, or added at the end.
(defun kv-state-set (lines name value / done out)
  (foreach line lines
    (if (= (kv-key-of line) (strcase name))
      (setq done T out (cons (strcat name "=" value) out))
      (setq out (cons line out))))
  (reverse (if done out (cons (strcat name "=" value) out))))

;; kv-blocks: the block table's entries that a person may choose (no "*" names).
(defun kv-blocks (/ b out)
  (setq b (tblnext "BLOCK" T))
  (while b
    (if (/= (substr (cdr (assoc 2 b)) 1 1) "*") (setq out (cons b out)))
    (setq b (tblnext "BLOCK")))
  (reverse out))

;; kv-block-entities: the entities of a block entry, as (entget) lists.
(defun kv-block-entities (block / e out)
  (setq e (cdr (assoc -2 block)))
  (while e
    (setq out (cons (entget e) out) e (entnext e)))
  (reverse out))

;; kv-pick-references: the names of the blocks whose references the person selects (each
;; once, in the order picked). Other entities are passed over.
(defun kv-pick-references (prompt / picked data names)
  (setq picked (QUOR_ssget "" prompt "Select block references: " "Remove block references: " 0 T))
  (foreach e (if (listp picked) picked)
    (setq data (entget e))
    (if (and (= (cdr (assoc 0 data)) "INSERT") (not (member (cdr (assoc 2 data)) names)))
      (setq names (append names (list (cdr (assoc 2 data)))))))
  names)

;; kv-dialog: calls a dialog function with the state file and further arguments; the state
;; file's lines after it, or nil when the dialog was closed without accepting (a closed
;; dialog writes nothing, so the line "kv-pending=1" put in first is still there).
(defun kv-dialog (fn state args / lines)
  (kv-write-lines state (kv-state-set (kv-read-lines state) "kv-pending" "1"))
  (apply fn (cons state args))
  (setq lines (kv-read-lines state))
  (if (not (kv-state-value lines "kv-pending")) lines))

;; kv-run-pick-cycle: calls a block replacement dialog until it is closed; on GETBLOCKS
;; the person picks references, which the dialog shows selected when it comes back
;; (SETBLOCKS). The state file's lines after "Apply", or nil when it was closed.
(defun kv-run-pick-cycle (fn state entries / lines picked)
  (while (and (setq lines (kv-dialog fn state entries))
              (= (kv-state-value lines "!action!") "GETBLOCKS"))
    (if (setq picked (kv-pick-references "\nSpecify the blocks to replace."))
      (setq lines (kv-state-set lines "blockstable" (strcat (kv-join picked "^") "^"))))
    (kv-write-lines state (kv-state-set lines "!action!" "SETBLOCKS")))
  lines)

'kv-blocktools
