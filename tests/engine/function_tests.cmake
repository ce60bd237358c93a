# function tests
