target_sources(zc_graph_tool PRIVATE placeholder.cpp)
