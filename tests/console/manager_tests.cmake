# manager tests
