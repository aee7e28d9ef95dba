// Start-up of the editor: application object, fonts, working folders, the
// instance marker, the windows in their fixed order, the optional file
// argument, then the main loop. Called only from main().
#pragma once

int RunTavenorPrint(int argc, char **argv);
