// Helpers shared by the test executables.
