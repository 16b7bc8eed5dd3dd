(setq a (1 2
"unterminated
(. 1)(1 . 2 3)')
;| block
