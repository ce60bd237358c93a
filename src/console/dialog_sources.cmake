# target_sources(zc_console PRIVATE ...) for the constants dialog, variables grid, ten-key pad, error dialog, about box
