;; drawings: examples/drawings/blocks.dxf
; Break lines from LISP. From the repository's folder:
;   build/bin/kvhost --script examples/breakline.lsp examples/drawings/blocks.dxf
; The dialog chooses the drawing that holds the break-line symbol and its size and offset.
; "Specify entities to use as breakline" closes it so that entities can be selected
; (a point near one, or #handle; Enter ends): their lines, arcs, circles and polylines
; become the new symbol's drawing in <LOGFILEPATH>Korvane/BreakLine, and the dialog comes
; back with it chosen. "OK" ends with what would be drawn.
(if (not (load "examples/lisp/blocktools.lsp" nil)) (load "lisp/blocktools.lsp"))

(defun kv-group (f code value)
  (write-line (itoa code) f)
  (write-line (if (= (type value) 'STR) value (rtos value 2 8)) f))

(defun kv-point (f code p)
  (kv-group f code (car p))
  (kv-group f (+ code 10) (cadr p))
  (kv-group f (+ code 20) (caddr p)))

(defun kv-degrees (radians) (/ (* radians 180.0) 3.14159265358979))

;; kv-write-entity: one entity's data as DXF groups; nil for kinds a symbol does not take.
(defun kv-write-entity (f data / kind)
  (setq kind (cdr (assoc 0 data)))
  (cond
    ((= kind "LINE")
     (kv-group f 0 "LINE") (kv-group f 8 "0")
     (kv-point f 10 (cdr (assoc 10 data))) (kv-point f 11 (cdr (assoc 11 data))) T)
    ((or (= kind "CIRCLE") (= kind "ARC"))
     (kv-group f 0 kind) (kv-group f 8 "0")
     (kv-point f 10 (cdr (assoc 10 data))) (kv-group f 40 (cdr (assoc 40 data)))
     (if (= kind "ARC")
       (progn (kv-group f 50 (kv-degrees (cdr (assoc 50 data))))
              (kv-group f 51 (kv-degrees (cdr (assoc 51 data))))))
     T)
    ((or (= kind "LWPOLYLINE") (= kind "POLYLINE"))
     (kv-group f 0 "LWPOLYLINE") (kv-group f 8 "0")
     (kv-group f 90 (itoa (cdr (assoc 90 data)))) (kv-group f 70 (itoa (cdr (assoc 70 data))))
     (foreach g data
       (cond ((= (car g) 10) (kv-group f 10 (cadr g)) (kv-group f 20 (caddr g)))
             ((= (car g) 42) (kv-group f 42 (cdr g)))))
     T)))

;; kv-write-symbol: the entities as a drawing file; how many it took.
(defun kv-write-symbol (path entities / f n)
  (setq f (open path "w") n 0)
  (kv-group f 0 "SECTION") (kv-group f 2 "ENTITIES")
  (foreach e entities (if (kv-write-entity f (entget e)) (setq n (1+ n))))
  (kv-group f 0 "ENDSEC") (kv-group f 0 "EOF")
  (close f)
  n)

(setq state (strcat (getvar "LOGFILEPATH") "breakline.txt"))
(setq folder (strcat (getvar "LOGFILEPATH") "Korvane/BreakLine/"))
;; The first time, start on the zigzag symbol kvhost gives a new user.
(if (and (not (findfile state)) (findfile (strcat folder "Zigzag.dwg")))
  (kv-write-lines state (list (strcat "lbtitleblock=" folder "Zigzag.dwg"))))
(while (and (setq lines (kv-dialog 'Dlg_BreakLine state nil))
            (= (kv-state-value lines "!action!") "CREATE"))
  (setq symbol (strcat folder (kv-state-value lines "name") ".dwg"))
  (setq picked (QUOR_ssget "" "\nSpecify entities to use as breakline." "Select objects: " "Remove objects: " 0 T))
  (if (and (listp picked) (> (setq n (kv-write-symbol symbol picked)) 0))
    (progn
      (princ (strcat "Symbol " symbol " made of " (itoa n) " entities.\n"))
      (setq lines (kv-state-set lines "lbtitleblock" symbol))))
  ;; The action stays CREATE: the dialog takes the stored values again when it comes back.
  (kv-write-lines state lines))

(if lines
  (princ (strcat "Draw break lines with " (kv-state-value lines "lbtitleblock")
                 ", size " (kv-state-value lines "_dist_size")
                 ", offset " (kv-state-value lines "_dist_offset") "\n"))
  (princ "Break line cancelled.\n"))
(princ)
