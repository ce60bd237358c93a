# target_sources(zc_engine PRIVATE ...) for the function part
