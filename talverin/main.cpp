#include "host/Program.h"
#include "talverin/Form1.h"

int main(int argc, char** argv) { return host::run<talverin::Form1>(argc, argv); }
