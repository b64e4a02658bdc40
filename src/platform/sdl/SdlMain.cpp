// The Linux program's entry point; the shell on SDL replaces this.
int main() { return 0; }
