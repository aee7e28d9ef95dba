#include "app/UnitStartup.h"

int main(int argc, char **argv) { return RunTavenorPrint(argc, argv); }
