#include "app/UnitCommandLine.h"

#include "platform/UnitProduct.h"

InfoOption FindInfoOption(const QStringList &arguments)
{
    for (const QString &a : arguments) {
        if (a == QLatin1String("--version") || a == QLatin1String("-v"))
            return InfoOption::Version;
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            return InfoOption::Help;
    }
    return InfoOption::None;
}

InfoOption FindInfoOption(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return FindInfoOption(arguments);
}

QString VersionLine(const QString &program)
{
    return QStringLiteral("%1 %2 (ビルド %3)").arg(program, Product::Version, Product::Build);
}

QString EditorHelpText()
{
    return QStringLiteral(
               "使い方: tavenor-print [ファイル.prx | ファイル.prn]\n"
               "\n"
               "%1: 小学校の学習プリントを作って印刷するエディターです。\n"
               "ファイルを指定すると、そのプリント（.prx）を開きます。\n"
               "名前欄ファイル（.prn）を指定すると、新しいプリントにその名前欄を読み込みます。\n"
               "\n"
               "オプション:\n"
               "  -h, --help     この説明を表示して終了します\n"
               "  -v, --version  バージョンを表示して終了します\n"
               "\n"
               "使い方の案内は、メニューの「ヘルプ」→「使い方」にあります。\n"
               "ウェブサイト: %2\n")
        .arg(Product::DisplayName, Product::WebSite);
}
