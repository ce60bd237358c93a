# tools benchmarks
