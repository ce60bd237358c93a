# target_sources(zc_console PRIVATE ...) for the user function manager
