#include "pelora/Form1.h"
#include "runtime/formhost/testing/ClickSession.h"

int main(int argc, char** argv) { return runtime::testing::runClickSession<pelora::Form1>(argc, argv); }
