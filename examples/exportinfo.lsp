; Support information export from LISP. The program gathers what the support desk needs
; about this installation into a text file, and the dialog puts it into a report next to
; what the user tells about the problem. The call answers with a message naming the report,
; or with "" when no report was written.
; Run from the top folder of the sources:
;   build/bin/kvhost --script examples/exportinfo.lsp
; (headless: add --dialog-script examples/dialog-scripts/exportinfo.txt)
(if (not (load "examples/library/statefile.lsp" nil)) (load "library/statefile.lsp"))

(setq info (strcat (getvar "LOGFILEPATH") "sysinfo.txt")
      state (strcat (getvar "LOGFILEPATH") "exportinfo.txt"))
; A sample of what a real program collects from the host and the system.
(kv-state-write info (kv-state-read (cond ((findfile "support/sysinfo.txt")) ((findfile "examples/support/sysinfo.txt")))))

; An earlier report is there already: the dialog asks before replacing it.
(kv-state-write "/tmp/kv-support-report.txt" (list "an earlier report"))

(setq message (Dlg_ExportInfo state info))
(if (= message "")
  (princ "No report was written.\n")
  (progn
    (princ (strcat (substr message 2) "\n"))
    (foreach line (kv-state-read "/tmp/kv-support-report.txt")
      (princ (strcat "  " line "\n")))))
(princ)
