#include "runtime/formhost/testing/ClickSession.h"
#include "talverin/Form1.h"

int main(int argc, char** argv) { return runtime::testing::runClickSession<talverin::Form1>(argc, argv); }
