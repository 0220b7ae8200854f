#include "host/testing/ClickSession.h"
#include "pelora/Form1.h"

int main(int argc, char** argv) { return host::testing::runClickSession<pelora::Form1>(argc, argv); }
