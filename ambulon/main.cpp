#include "ambulon/Form1.h"
#include "runtime/formhost/Program.h"

int main(int argc, char** argv) { return runtime::run<ambulon::Form1>(argc, argv); }
