#include "host/testing/ClickSession.h"
#include "talverin/Form1.h"

int main(int argc, char** argv) { return host::testing::runClickSession<talverin::Form1>(argc, argv); }
