# zeltacalc-console
