# exports fuzz targets
