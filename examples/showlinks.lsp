; The hyperlink list from LISP. The links of the drawing's entities go into a links file,
; one "id^url^type^space" line each; the dialog edits them. When the user asks to see an
; entity, the file holds just the selected links: this program "zooms" to them and opens the
; dialog again with the action RETURN, so the list comes back as the user left it. Close
; leaves every link in the file, and one "REMOVE^id" line per link to take off.
; Run from the top folder of the sources:
;   build/bin/kvhost --script examples/showlinks.lsp
; (headless: add --dialog-script examples/dialog-scripts/showlinks.txt)
(if (not (load "examples/library/statefile.lsp" nil)) (load "library/statefile.lsp"))
(if (not (load "examples/lisp/strings.lsp" nil)) (load "lisp/strings.lsp"))

(setq links (strcat (getvar "LOGFILEPATH") "links.txt")
      state (strcat (getvar "LOGFILEPATH") "showlinks.txt"))
; Here the links come from a sample file; a real program reads them from the entities.
(kv-state-write links (kv-state-read (cond ((findfile "links/links.txt")) ((findfile "examples/links/links.txt")))))
(kv-state-write state (list "!action!=START"))

(setq done nil)
(while (not done)
  (Dlg_ShowLinks state links)
  (setq lines (kv-state-read state)
        action (kv-state-get lines "!action!"))
  (cond
    ((= action "SHOWENTITY")
     (foreach line (kv-state-read links)
       (setq f (kv-split line "^"))
       (princ (strcat "Zoom to the " (nth 2 f) " " (car f) " in " (nth 3 f) "\n")))
     (kv-state-write state (kv-state-set lines "!action!" "RETURN")))
    ((= action "OK")
     (princ "Links to apply:\n")
     (foreach line (kv-state-read links)
       (setq f (kv-split line "^"))
       (if (= (car f) "REMOVE")
         (princ (strcat "  remove the link of " (cadr f) "\n"))
         (princ (strcat "  " (car f) " " (cadr f) "\n"))))
     (setq done T))
    (T
     (princ "Hyperlink list closed; the drawing keeps its links.\n")
     (setq done T))))
(princ)
