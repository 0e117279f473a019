// A program that does nothing: it exists to be registered as the PIM program in tests and to
// carry a version resource.
int main() { return 0; }
