#include "runtime/formhost/Program.h"
#include "talverin/Form1.h"

int main(int argc, char** argv) { return runtime::run<talverin::Form1>(argc, argv); }
