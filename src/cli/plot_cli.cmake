# zeltacalc-plot
