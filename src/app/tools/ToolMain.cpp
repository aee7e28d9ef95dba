// tavenor-print-tool: opens files, evaluates expressions, runs the column
// engines, renders pages and prints without a window.
#include "ToolMain.h"

#include "app/UnitCommandLine.h"
#include "platform/UnitProduct.h"

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

void writeCommands(QTextStream &to)
{
    to << "usage: tavenor-print-tool COMMAND [ARGS]\n";
    for (const auto &[name, cmd] : registry())
        to << "  tavenor-print-tool " << cmd.usage << "\n";
}

int usage(QTextStream &err)
{
    writeCommands(err);
    err.flush();
    return 2;
}

// "--help": what the companion is, its commands and its own options, on
// standard output; the run counts as a success.
int help()
{
    QTextStream out(stdout);
    out << QStringLiteral("tavenor-print-tool: %1 のプリントファイルを、ウィンドウを開かずに"
                          "扱うコマンドです。\n\n")
               .arg(Product::DisplayName);
    writeCommands(out);
    out << "  tavenor-print-tool --help | -h\n"
           "  tavenor-print-tool --version | -v\n\n"
        << QStringLiteral("くわしくは man tavenor-print-tool をご覧ください。\n");
    out.flush();
    return 0;
}
} // namespace

bool RegisterToolCommand(const ToolCommand &cmd)
{
    registry()[cmd.name] = cmd;
    return true;
}

int main(int argc, char **argv)
{
    // Answered before the application exists: no fonts or printers needed.
    if (argc >= 2) {
        const QString first = QString::fromLocal8Bit(argv[1]);
        if (first == QLatin1String("--version") || first == QLatin1String("-v")) {
            QTextStream out(stdout);
            out << VersionLine(QStringLiteral("tavenor-print-tool")) << "\n";
            return 0;
        }
        if (first == QLatin1String("--help") || first == QLatin1String("-h"))
            return help();
    }
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
