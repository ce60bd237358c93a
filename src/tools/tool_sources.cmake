target_sources(zc_tools PRIVATE placeholder.cpp)
