# graph tool tests
