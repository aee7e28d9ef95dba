#include "app/UnitStartup.h"
#include "app/Unit1.h"
#include "app/UnitAbout.h"
#include "app/UnitBunruiBar.h"
#include "app/UnitCommandLine.h"
#include "app/UnitEditWiring.h"
#include "app/UnitLibraryWiring.h"
#include "app/UnitRandomBar.h"
#include "app/UnitRecovery.h"
#include "library/UnitNavi.h"
#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"
#include "platform/UnitProduct.h"
#include "render/UnitFonts.h"

#include <QApplication>
#include <QTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <exception>

namespace
{

const QString UnexpectedErrorText = QStringLiteral("予期しないエラーが発生しました。");

// Errors that no command handles end the command here and reach the user in
// one message box; the document stays as the command left it.
class TavenorApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        bool result = false;
        RunGuarded([&] { result = QApplication::notify(receiver, event); });
        return result;
    }
};

} // namespace

bool RunGuarded(const std::function<void()> &work)
{
    try {
        work();
        return true;
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        ShowError(text.isEmpty() ? UnexpectedErrorText : text);
    } catch (...) {
        ShowError(UnexpectedErrorText);
    }
    return false;
}

QTranslator *InstallQtTranslations(QCoreApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    app.installTranslator(translator);
    return translator;
}

void StartEditor(TForm1 &form, const QString &argumentFile)
{
    if (!RunGuarded([&] { form.SyokiForm(argumentFile); })) {
        // The argument file failed half way: start on an empty worksheet.
        RunGuarded([&] { form.StartNewWorksheet(); });
    }
    RunGuarded([&] {
        InstallEditing(form);
        InstallRandomBar(form);
    });
    RunGuarded([&] { InstallBunruiBar(form); });
    RunGuarded([&] { InstallLibrary(form); });
    RunGuarded([&] { InstallRecovery(form); });
}

int RunTavenorPrint(int argc, char **argv)
{
    // Answered before the application exists, so they need no display.
    switch (FindInfoOption(argc, argv)) {
    case InfoOption::Version:
        std::fputs((VersionLine(Product::DisplayName) + QLatin1Char('\n')).toUtf8().constData(),
                   stdout);
        return 0;
    case InfoOption::Help:
        std::fputs(EditorHelpText().toUtf8().constData(), stdout);
        return 0;
    case InfoOption::None:
        break;
    }
    TavenorApplication app(argc, argv);
    try {
        app.setApplicationName(QStringLiteral("TavenorPrint"));
        app.setApplicationDisplayName(Product::DisplayName);
        app.setApplicationVersion(Product::Version);
        // The desktop matches the windows to the desktop entry and its icon.
        app.setDesktopFileName(Product::AppId);
        app.setWindowIcon(ProgramIcon());
        InstallQtTranslations(app);
        SetTenDigitWarningHook([] { ShowMessage(TenDigitWarningText, MsgIcon::Warning); });
        InstallFontSubstitutions();

        const QStringList args = app.arguments();
        TForm1 form;
        StartEditor(form, args.size() > 1 ? args.at(1) : QString());
        form.show();
        // The worksheets of editors that ended without saving come first:
        // a restored one takes the navigator's place.
        bool restored = false;
        RunGuarded([&] {
            if (TRecovery *recovery = form.recovery())
                restored = recovery->OfferLeftCopies();
        });
        if (NaviDueAtStart(form, args.size() > 1 || restored)) {
            // After the main window has been painted, behind the navigator.
            QTimer::singleShot(0, &form, [&form] {
                if (TFormNavi *navi = form.library().navi) {
                    navi->StartForm();
                    navi->exec();
                }
            });
        }
        return app.exec();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tavenor-print: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "tavenor-print: %s\n", UnexpectedErrorText.toUtf8().constData());
    }
    return 1;
}
