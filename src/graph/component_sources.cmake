target_sources(zc_graph PRIVATE placeholder.cpp)
