# target_sources(zc_engine PRIVATE ...) for the expression part
