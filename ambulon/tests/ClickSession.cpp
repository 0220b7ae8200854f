#include "runtime/formhost/testing/ClickSession.h"
#include "ambulon/Form1.h"

int main(int argc, char** argv) { return runtime::testing::runClickSession<ambulon::Form1>(argc, argv); }
