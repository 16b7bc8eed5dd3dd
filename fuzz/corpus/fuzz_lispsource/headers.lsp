;;; Helpers for the title block.

;; tb-width: the width of the frame (in drawing units).
;; Uses (getvar "LIMMAX") when nothing is given.
(defun tb-width (w / lim)
	(setq lim (getvar "LIMMAX"))
	(if w w (car lim)) ; the given width ( wins
)

   
; a blank line of spaces above breaks the header
(defun c:tb (/ p)
  (setq p (getpoint "\nCorner: (pick)"))
  (princ ")")     ; a ")" in a string is counted
  (princ))
(setq tail 1)
