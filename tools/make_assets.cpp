// Placeholder: writes no images yet.
int main() { return 0; }
