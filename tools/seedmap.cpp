// navro-seedmap: prints the run a seed text generates, platform by platform.
int main() { return 0; }
