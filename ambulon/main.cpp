#include "ambulon/Form1.h"
#include "host/Program.h"

int main(int argc, char** argv) { return host::run<ambulon::Form1>(argc, argv); }
