// The editor's command line besides the one file name: "--version" and
// "--help" print their text on standard output and end the program before
// any window or display is needed. Start-up asks here first; everything else
// on the command line stays the file to open.
#pragma once

#include <QString>
#include <QStringList>

enum class InfoOption { None, Version, Help };

// The information option among the arguments after the program name:
// "--version"/"-v" or "--help"/"-h", the first one met wins. Anything else
// (a file name, Qt's own options) gives None.
InfoOption FindInfoOption(const QStringList &arguments);
// The same for main's argc/argv (argument 0 is the program).
InfoOption FindInfoOption(int argc, char **argv);

// "<program> <version> (ビルド <build>)": the line of both programs' --version.
QString VersionLine(const QString &program);
// The editor's --help text: how to start it, its options, its web site.
QString EditorHelpText();
