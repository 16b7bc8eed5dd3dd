;| a block
 comment |; (setq a 1) ; line comment
'(1 . (2 . (3 . nil)))
(getvar "CLAYER")(setvar "X" 1)(getvar "X")(findfile "none.lsp")
(distance '(0 0) '(3 4))(angle '(0 0) '(1 1))(polar '(0 0) 1.0 2.0)
(exit)
(setq after 1)
