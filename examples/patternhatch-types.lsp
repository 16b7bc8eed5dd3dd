;; drawings: examples/drawings/blocks.dxf
;
; The pattern hatch in each of its four pattern types, one after the other: a block of the
; drawing, an image file, another drawing and a plain mask. Each call starts afresh from
; the state file ("NEW"); close each dialog to see the next. Run from the top folder:
;   build/bin/kvhost --script examples/patternhatch-types.lsp examples/drawings/blocks.dxf
(if (not (load "examples/library/statefile.lsp" nil)) (load "library/statefile.lsp"))

; A file of the examples, from the top folder or from the examples folder ("" when missing).
(defun example-file (name)
  (cond ((findfile (strcat "examples/" name))) ((findfile name)) ("")))

(setq state (strcat (getvar "LOGFILEPATH") "patternhatch-types.txt"))
(foreach pattern
  (list (list "pattern_block" "lbtitleblock=ROOM" "scalefactor=TRUE")
        (list "pattern_image" (strcat "lbtitleimage=" (example-file "images/bricks.png")) "scalefactor=FALSE")
        (list "pattern_xref" (strcat "lbtitlexref=" (example-file "drawings/breakline_symbol.dwg")) "scalefactor=FALSE")
        (list "pattern_mask" "lbtitleblock=" "scalefactor=TRUE"))
  (setq lines (list "qtentities=3" "width=1" "height=1"
                    "pattern_block=FALSE" "pattern_image=FALSE" "pattern_xref=FALSE" "pattern_mask=FALSE"))
  (setq lines (kv-state-set lines (car pattern) "TRUE"))
  (setq lines (append lines (cdr pattern)))
  (kv-state-write state lines)
  (setq keyword (Dlg_PatternHatch state "NEW"))
  (princ (strcat (car pattern) ": " (if keyword keyword "closed") "\n")))
(princ)
