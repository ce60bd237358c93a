# window benchmarks
