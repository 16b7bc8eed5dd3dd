;;; legacy.lsp -- drawing file helpers, as written years ago in a Windows editor.
;;; Code page 1252, not UTF-8: (c) becomes © 2009 Estudio García, "también" stays as it is.

;| kv-drawing-exts: the file types our commands offer.
   Kept as one string, separated by ";" (the LISP side splits it). |;
(DEFUN kv-drawing-exts ()
  "dwg;dxf;dwt")

;; kv-ext-list: the types as a list, e.g. ("dwg" "dxf" "dwt").
(defun kv-ext-list (/ text parts i start)
  (setq text (kv-drawing-exts) parts nil start 1 i 1)
  (while (<= i (strlen text))
    (if (= (substr text i 1) ";") ; a separator: one part ends here
      (setq parts (cons (substr text start (- i start)) parts)
            start (1+ i)))
    (setq i (1+ i)))
  (reverse (cons (substr text start) parts)))

  ;; kv-say: a line on the command line, also when "quiet" is "1;2;3".
  (defun kv-say (msg)
    (princ (strcat "\n" msg " (;-)"))
    (princ))

(Defun C:KVEXTS ()
  (kv-say (strcat "También: " (kv-drawing-exts)))
  (princ))
