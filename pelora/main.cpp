#include "pelora/Form1.h"
#include "runtime/formhost/Program.h"

int main(int argc, char** argv) { return runtime::run<pelora::Form1>(argc, argv); }
