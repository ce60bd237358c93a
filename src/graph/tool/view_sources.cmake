# target_sources(zc_graph_tool PRIVATE ...) for the on-screen graph widget
