#include "app/UnitStartup.h"
#include "app/Unit1.h"
#include "app/UnitEditWiring.h"
#include "render/UnitFonts.h"
#include "platform/UnitMessages.h"
#include "platform/UnitNumText.h"
#include "platform/UnitProduct.h"

#include <QApplication>
#include <exception>

namespace {

// Errors that no command handles end the command here and reach the user in
// one message box; the document stays as the command left it.
class TavenorApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            ShowError(QString::fromUtf8(e.what()));
        } catch (...) {
            ShowError(QStringLiteral("予期しないエラーが発生しました。"));
        }
        return false;
    }
};

} // namespace

int RunTavenorPrint(int argc, char **argv)
{
    TavenorApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("TavenorPrint"));
    app.setApplicationDisplayName(Product::DisplayName);
    SetTenDigitWarningHook([] { ShowMessage(TenDigitWarningText, MsgIcon::Warning); });
    InstallFontSubstitutions();

    const QStringList args = app.arguments();
    TForm1 form;
    form.SyokiForm(args.size() > 1 ? args.at(1) : QString());
    InstallEditing(form);
    form.show();
    return app.exec();
}
