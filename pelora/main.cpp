#include "host/Program.h"
#include "pelora/Form1.h"

int main(int argc, char** argv) { return host::run<pelora::Form1>(argc, argv); }
