// Placeholder until the portable platform lands.
