# engine benchmarks
