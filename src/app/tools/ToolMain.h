// The command-line companion's dispatcher. Each command lives in a file of
// its own under this folder and registers itself with TOOL_COMMAND.
#pragma once

#include <QStringList>
#include <QTextStream>
#include <exception>
#include <functional>

struct ToolCommand {
    const char *name;
    const char *usage; // one usage line, without the program name
    // Arguments after the command name; returns the exit code.
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
};

bool RegisterToolCommand(const ToolCommand &cmd);

// Runs a command; an exception ends it with its message on `err` and exit
// status 1, so that no input aborts the tool.
inline int RunToolCommand(const ToolCommand &cmd, const QStringList &args, QTextStream &out,
                          QTextStream &err)
{
    try {
        return cmd.run(args, out, err);
    } catch (const std::exception &e) {
        err << cmd.name << ": " << QString::fromUtf8(e.what()) << "\n";
    } catch (...) {
        err << cmd.name << ": unexpected error\n";
    }
    return 1;
}

#define TOOL_COMMAND_CAT2(a, b) a##b
#define TOOL_COMMAND_CAT(a, b) TOOL_COMMAND_CAT2(a, b)
#define TOOL_COMMAND(name, usage, fn)                                                              \
    static const bool TOOL_COMMAND_CAT(toolCommandRegistered_, __LINE__) =                         \
        RegisterToolCommand(ToolCommand{name, usage, fn})
