# store tests
