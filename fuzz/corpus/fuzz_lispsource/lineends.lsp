(defun a ()
  1)
;; header(defun b () 2)
		(defun	c	()	3)