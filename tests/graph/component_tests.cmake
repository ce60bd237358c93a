# component tests
