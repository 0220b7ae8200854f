#include "runtime/formhost/testing/ClickSession.h"
#include "pelora/Form1.h"

int main(int argc, char** argv) { return runtime::testing::runClickSession<pelora::Form1>(argc, argv); }
