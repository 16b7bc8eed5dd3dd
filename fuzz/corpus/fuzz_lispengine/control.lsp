(if (= 1 1) 'yes 'no)
(cond ((< 1 0) 'a) ((> 2 1) 'b) (T 'c))
(and 1 nil)(or nil 2)(progn (setq x 1) (setq x (+ x 1)))
(set 'y 5)(quote (a . b))(function car)
