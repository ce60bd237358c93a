# --list-exports support for zeltacalc-console
