# graph benchmarks
