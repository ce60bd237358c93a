# tools tests
