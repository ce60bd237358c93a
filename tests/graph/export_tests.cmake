# export tests
