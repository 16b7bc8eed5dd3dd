; Reading and writing dialog state files: lists of "key=value" lines. Keys are compared
; ignoring case, as the dialogs compare them.

; The key of a line: the text before its first "=", in lower case (the whole line without one).
(defun kv-state-key (line / i n)
  (setq i 1 n (strlen line))
  (while (and (<= i n) (/= (substr line i 1) "="))
    (setq i (1+ i)))
  (strcase (substr line 1 (1- i)) T))

; The value of a line: the text after its first "=".
(defun kv-state-value (line / key)
  (setq key (kv-state-key line))
  (substr line (+ (strlen key) 2)))

; The file's lines, without the byte-order mark (the reader drops it); nil when unreadable.
(defun kv-state-read (path / f line lines)
  (if (setq f (open path "r"))
    (progn
      (while (setq line (read-line f))
        (setq lines (cons line lines)))
      (close f)
      (reverse lines))))

(defun kv-state-write (path lines / f)
  (if (setq f (open path "w"))
    (progn
      (foreach line lines (write-line line f))
      (close f)
      T)))

; The value of the first line of that key, or nil.
(defun kv-state-get (lines key / found)
  (setq key (strcase key T))
  (foreach line lines
    (if (and (not found) (= (kv-state-key line) key))
      (setq found (kv-state-value line))))
  found)

; The lines with every line of that key set to key=value, or the line added at the end.
(defun kv-state-set (lines key value / out done)
  (foreach line lines
    (if (= (kv-state-key line) (strcase key T))
      (setq out (cons (strcat key "=" value) out) done T)
      (setq out (cons line out))))
  (if (not done)
    (setq out (cons (strcat key "=" value) out)))
  (reverse out))

; Whether text begins with prefix.
(defun kv-starts-with (text prefix)
  (= (substr text 1 (strlen prefix)) prefix))
