target_sources(zc_console PRIVATE placeholder.cpp)
