#include "host/testing/ClickSession.h"
#include "ambulon/Form1.h"

int main(int argc, char** argv) { return host::testing::runClickSession<ambulon::Form1>(argc, argv); }
