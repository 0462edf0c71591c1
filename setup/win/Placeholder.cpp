int SetupPlaceholder() { return 0; }
