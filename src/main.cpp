#include "format/error.hpp"
int main() { return 0; }
