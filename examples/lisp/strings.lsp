;;; strings.lsp -- small text helpers used by our drawing routines.
;;; Load it with (load "strings.lsp"); every function is free of side effects.

;; kv-trim-left: the text without the blanks at its start.
;;   (kv-trim-left "  abc") => "abc"
(defun kv-trim-left (text / i)
  (setq i 1)
  (while (and (<= i (strlen text)) (= (substr text i 1) " "))
    (setq i (1+ i)))
  (substr text i))

;; kv-trim-right: the text without the blanks at its end.
(defun kv-trim-right (text / n)
  (setq n (strlen text))
  (while (and (> n 0) (= (substr text n 1) " "))
    (setq n (1- n)))
  (substr text 1 n))

;; kv-trim: both ends at once.
(defun kv-trim (text)
  (kv-trim-right (kv-trim-left text)))

;; kv-split: the parts of a text between the separator characters.
;;   (kv-split "a;b;;c" ";") => ("a" "b" "" "c")
;; Empty parts are kept, so a trailing separator gives a last empty part.
(defun kv-split (text sep / parts start i)
  (setq parts nil start 1 i 1)
  (while (<= i (strlen text))
    (if (= (substr text i 1) sep)
      (setq parts (cons (substr text start (- i start)) parts)
            start (1+ i)))
    (setq i (1+ i)))
  (reverse (cons (substr text start) parts)))

;; kv-join: the reverse of kv-split.
(defun kv-join (parts sep / out)
  (setq out (car parts))
  (foreach p (cdr parts)
    (setq out (strcat out sep p)))
  (if out out ""))
