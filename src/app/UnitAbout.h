// The about box "バージョン情報": the program's icon and display name, its
// version and build, the web site's address as a link and the credit notice
// of the character pictures. Opened from the menu "ヘルプ"; Escape or
// "閉じる" closes it. It never opens the browser itself: it asks for the
// address with openUrlRequested, which the main window hands to the desktop.
// Also the program's icon, which every window of the editor carries.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QUrl>

class QLabel;
class QPushButton;

// The program's icon in every size the program ships (from its resources).
QIcon ProgramIcon();

class TFormAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFormAbout(QWidget *parent = nullptr);

    // Once at start-up: the texts and the icon.
    void SyokiForm();
    // Before each showing: the focus on "閉じる".
    void StartForm();

    QLabel *LabelName = nullptr;
    QLabel *LabelVersion = nullptr;
    QLabel *LabelCredit = nullptr;
    QPushButton *ButtonWebSite = nullptr;
    QPushButton *ButtonClose = nullptr;

signals:
    // The link was pressed: the web site's address.
    void openUrlRequested(const QUrl &url);
};
