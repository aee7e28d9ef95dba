// The guide "使い方": a window with the short guide to the everyday steps
// (making a sheet, "作成", printing the problem and answer sheets, the
// navigator), read from the program's resources. It stays open beside the
// editor while the teacher works; Escape or "閉じる" closes it.
#pragma once

#include <QDialog>

class QPushButton;
class QTextBrowser;

// The guide's text (HTML) as the program ships it; empty only when the
// resource is missing from the build.
QString GuideHtml();

class TFormHelp : public QDialog
{
    Q_OBJECT
public:
    explicit TFormHelp(QWidget *parent = nullptr);

    // Once at start-up: the guide's text.
    void SyokiForm();
    // Before each showing: back to the top of the guide.
    void StartForm();

    QTextBrowser *Guide = nullptr;
    QPushButton *ButtonClose = nullptr;
};
