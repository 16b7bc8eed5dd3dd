( defun	spaced (a) a)(defun second-on-line () nil)
(DEFUN upper ()
  ))) extra closing
(defun c:cmd (/ a b) (setq a 1
;| block
   comment (defun hidden () 1) |;
  b 2))
(defun(noblank) 1)
(defun
  broken-name () 1)
(defun open-at-end (x)
  (list x
