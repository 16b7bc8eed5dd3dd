;; drawings: examples/drawings/blocks.dxf
;
; The pattern hatch cycle. The dialog closes with a keyword whenever it needs the drawing;
; this program asks for what the keyword names (points, boundary entities, the origin, the
; rotation), writes what it got into the state file and opens the dialog again, until OK.
; It then prints the hatch it would make. Run from the top folder of the sources:
;   build/bin/kvhost --script examples/patternhatch.lsp examples/drawings/blocks.dxf
; (headless: add --dialog-script examples/dialog-scripts/patternhatch.txt and give it
; examples/dialog-scripts/patternhatch.answers on standard input).
(if (not (load "examples/library/statefile.lsp" nil)) (load "library/statefile.lsp"))

; Keys in lower case, as the dialog writes them: a line replaces the dialog's line of the
; same key only when it is spelt the same way. "qtentities" is the number of boundaries.
(setq state (strcat (getvar "LOGFILEPATH") "patternhatch.txt"))
(kv-state-write state
  (list "qtentities=0"
        "pattern_block=TRUE" "lbtitleblock=DOOR"
        "scalefactor=FALSE" "aspectratio=TRUE" "width=0.5" "height=0.5"
        "offsetx=0.25" "offsety=0.25" "tolerance=0.05"))

(setq boundaries 0    ; boundaries found so far
      mode "NEW"      ; the first call fills the dialog from the file
      done nil)

(defun print-hatch (lines / type)
  (setq type (cond ((= (kv-state-get lines "pattern_image") "TRUE") "image")
                   ((= (kv-state-get lines "pattern_xref") "TRUE") "drawing")
                   ((= (kv-state-get lines "pattern_mask") "TRUE") "mask")
                   (T "block")))
  (princ (strcat "Hatch " (itoa boundaries) " boundaries with the " type))
  (cond ((= type "block") (princ (strcat " " (kv-state-get lines "lbtitleblock"))))
        ((= type "image") (princ (strcat " " (kv-state-get lines "lbtitleimage"))))
        ((= type "drawing") (princ (strcat " " (kv-state-get lines "lbtitlexref")))))
  (princ (strcat "\n  cell " (kv-state-get lines "width") " x " (kv-state-get lines "height")
                 ", gaps " (kv-state-get lines "offsetx") " x " (kv-state-get lines "offsety")
                 "\n  origin " (kv-state-get lines "positionx") "," (kv-state-get lines "positiony")
                 ", rotation " (kv-state-get lines "rotation")
                 "\n  as " (if (= (kv-state-get lines "typeobjectblock") "TRUE") "an anonymous block" "a group")
                 ", curve tolerance " (kv-state-get lines "tolerance") "\n")))

(while (not done)
  (setq keyword (Dlg_PatternHatch state mode)
        lines (kv-state-read state)
        mode "BOUNDARIES")   ; next time the dialog keeps what the user left in it
  (cond
    ((or (null keyword) (= keyword "CANCEL"))
     (princ "Pattern hatch cancelled.\n")
     (setq done T))
    ((= keyword "OK")
     (print-hatch lines)
     (setq done T))
    ((= keyword "PREVIEW")
     (princ "Preview of: ")
     (print-hatch lines))
    ((= keyword "GET_POINTS")
     (while (setq point (getPointKorvane "Pick a point inside an area [Enter to end]"))
       (setq boundaries (1+ boundaries))))
    ((= keyword "GET_ENTITIES")
     (if (setq picked (QUOR_ssget "" "" "Select boundary entities" "Remove entities" 0 T))
       (setq boundaries (+ boundaries (length picked)))))
    ((= keyword "DELETE")
     (setq boundaries 0)
     (princ "Boundaries removed.\n"))
    ((= keyword "SHOW")
     (princ (strcat (itoa boundaries) " boundaries.\n")))
    ((= keyword "GET_ORIGIN")
     (if (setq point (getPointKorvane "Pattern origin"))
       (setq lines (kv-state-set lines "positionx" (rtos (car point) 2 4))
             lines (kv-state-set lines "positiony" (rtos (cadr point) 2 4))
             mode "EDIT")))      ; the dialog takes the origin from the file
    ((= keyword "GET_ROTATION")
     (if (setq angle (getAngleKorvane "Rotation angle"))
       (setq lines (kv-state-set lines "rotation" (rtos (/ (* angle 180.0) pi) 2 4))
             mode "EDIT")))
    ((kv-starts-with keyword "GET_BLOCK=")
     (princ (strcat "Pattern block: " (substr keyword 11) "\n")))
    ((kv-starts-with keyword "GET_IMAGE=")
     (princ (strcat "Pattern image: " (substr keyword 11) "\n")))
    (T
     (princ (strcat keyword ": not part of this example.\n"))))
  (if (not done)
    (kv-state-write state (kv-state-set lines "qtentities" (itoa boundaries)))))
(princ)
