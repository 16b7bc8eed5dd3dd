;;; commands.lsp -- commands typed at the command line.
;;; Needs strings.lsp and geometry.lsp.

;; C:KVMID -- asks for two points and reports the point between them.
(defun c:kvmid (/ a b m)
  (setq a (getpoint "\nFirst point: ")
        b (getpoint "\nSecond point: "))
  (if (and a b)
    (progn
      (setq m (kv-midpoint a b))
      (princ (strcat "\nMidpoint: " (rtos (car m) 2 3) "," (rtos (cadr m) 2 3)))))
  (princ))

;; C:KVNAMES -- lists the names of a comma-separated text typed by the user,
;; without the blanks around them.
(defun c:kvnames (/ s)
  (setq s (getstring T "\nNames separated by commas: "))
  (foreach n (kv-split s ",")
    (princ (strcat "\n  " (kv-trim n))))
  (princ))
