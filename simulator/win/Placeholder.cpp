int SimulatorPlaceholder() { return 0; }
