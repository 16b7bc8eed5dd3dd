;; drawings: examples/drawings/titleblock.dxf
;
; The multiview setup cycle. Each button of the dialog records its action in the state file
; and closes; this program reads the action and the values, says what it would draw, and
; opens the dialog again until it is closed. The title blocks are listed from the Template
; folder kvhost gives a new user. Run from the top folder of the sources:
;   build/bin/kvhost --script examples/multiviewsetup.lsp examples/drawings/titleblock.dxf
(if (not (load "examples/library/statefile.lsp" nil)) (load "library/statefile.lsp"))

(setq state (strcat (getvar "LOGFILEPATH") "multiviewsetup.txt"))
(kv-state-write state
  (list "titlex=0" "titley=0" "viewrows=2" "viewcols=2" "viewoffsetx=10" "viewoffsety=10"
        "ms_scale=1" "ps_scale=1" "mswidth=420" "msheight=297"))

; A table's selection: the names each followed by "^"; the first one.
(defun first-pick (value / i)
  (setq i 1)
  (while (and value (<= i (strlen value)) (/= (substr value i 1) "^"))
    (setq i (1+ i)))
  (if value (substr value 1 (1- i))))

(defun value (key) (kv-state-get lines key))
(defun checked (key) (= (value key) "TRUE"))

(setq done nil)
(while (not done)
  (Dlg_MultiViewSetup state)
  (setq lines (kv-state-read state)
        action (value "!action!"))
  (cond
    ((or (null action) (= action "CANCEL"))
     (princ "Multiview setup closed.\n")
     (setq done T))
    ((= action "INSERTTITLE")
     (princ (strcat "Insert " (value "directory") "/" (first-pick (value "lstblocks"))
                    " at " (value "titlex") "," (value "titley") " in " (value "unitstitle")
                    (if (checked "oplay") (strcat " on layer " (value "layer")) "")
                    (if (checked "xref") " as an external reference" "")
                    (if (checked "limits") ", limits set" "")
                    "; " (value "removetitles") "\n")))
    ((= action "CREATEVIEWPORTS")
     (princ (if (checked "arrayviewp")
              (strcat "Create " (value "viewrows") " x " (value "viewcols") " viewports, "
                      (value "viewoffsetx") " and " (value "viewoffsety") " apart; ")
              "Create one viewport; "))
     (princ (strcat (value "removeviewports") "\n")))
    ((= action "ALIGNVIEWPORTS")
     (princ (strcat "Align the viewports " (if (checked "alignhor") "horizontally" "vertically") "\n")))
    ((= action "SCALEVIEWPORTS")
     (princ (strcat "Scale the viewports " (value "ms_scale") ":" (value "ps_scale") "\n")))
    ((= action "INSERTMSTITLE")
     (princ (strcat "Create a title block of " (value "mswidth") " x " (value "msheight")
                    " in model space, scale " (first-pick (value "mslstscales"))
                    " (factor " (value "curscale") ")\n")))))
(princ)
