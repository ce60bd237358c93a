# target_sources(zc_graph PRIVATE ...) for the picture exports
