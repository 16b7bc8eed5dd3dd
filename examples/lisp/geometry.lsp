;;; geometry.lsp -- points, distances and angles for the layout routines.

;; kv-midpoint: the point half way between two points.
(defun kv-midpoint (p1 p2)
  (polar p1 (angle p1 p2) (/ (distance p1 p2) 2.0)))

;; kv-deg->rad: degrees to radians (180 degrees are pi radians).
(defun kv-deg->rad (deg) (* pi (/ deg 180.0)))
;; kv-rad->deg: radians to degrees.
(defun kv-rad->deg (rad) (* 180.0 (/ rad pi)))

;; kv-rectangle: the four corners of the rectangle spanned by two opposite
;; corners, counter-clockwise from the lower left one.
(defun kv-rectangle (c1 c2 / x1 y1 x2 y2)
  (setq x1 (min (car c1) (car c2))
        y1 (min (cadr c1) (cadr c2))
        x2 (max (car c1) (car c2))
        y2 (max (cadr c1) (cadr c2)))
  (list (list x1 y1) (list x2 y1) (list x2 y2) (list x1 y2)))

;; kv-perimeter: the length of a closed polygon given by its points.
(defun kv-perimeter (pts / total prev)
  (setq total 0.0 prev (last pts))
  (foreach p pts
    (setq total (+ total (distance prev p))
          prev p))
  total)
