# expression tests
