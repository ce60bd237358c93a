# ini fuzz targets
