// Placeholder until the first real source lands.
