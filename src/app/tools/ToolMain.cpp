// tavenor-print-tool: opens files, evaluates expressions, runs the column
// engines, renders pages and prints without a window.
#include "ToolMain.h"

#include <QApplication>
#include <map>
#include <string>

namespace
{
std::map<std::string, ToolCommand> &registry()
{
    static std::map<std::string, ToolCommand> r;
    return r;
}

int usage(QTextStream &err)
{
    err << "usage: tavenor-print-tool COMMAND [ARGS]\n";
    for (const auto &[name, cmd] : registry())
        err << "  tavenor-print-tool " << cmd.usage << "\n";
    err.flush();
    return 2;
}
} // namespace

bool RegisterToolCommand(const ToolCommand &cmd)
{
    registry()[cmd.name] = cmd;
    return true;
}

int main(int argc, char **argv)
{
    // Fonts, images and printers need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usage(err);
    const QString name = args.takeFirst();
    auto it = registry().find(name.toStdString());
    if (it == registry().end())
        return usage(err);
    const int rc = RunToolCommand(it->second, args, out, err);
    out.flush();
    err.flush();
    if (rc == 2)
        usage(err);
    return rc;
}
