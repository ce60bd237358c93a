# The main window: Enter to result on a long log, echo, start-up.
add_executable(zc_window_bench ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp)
target_link_libraries(zc_window_bench PRIVATE zc_app benchmark::benchmark)
zc_target_defaults(zc_window_bench)

# Start-up probe: process start to a usable window, with the real data folder.
add_executable(zc_startup_probe ${CMAKE_CURRENT_LIST_DIR}/startup_probe.cpp)
target_link_libraries(zc_startup_probe PRIVATE zc_app)
zc_target_defaults(zc_startup_probe)
