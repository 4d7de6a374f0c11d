#include <cstdio>
int main() { std::puts("Tond 1.02"); }
