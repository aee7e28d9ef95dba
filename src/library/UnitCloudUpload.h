// The cloud upload window TFormCloudUpload: grade and subject boxes, a
// title box and the upload button. Uploading copies the open worksheet's
// file to UpLoad/Upload.prx and posts it with its classification and title;
// the server's answer is kept in UpLoad/act.txt. Without an open worksheet
// file it does nothing; a failed request shows the error box.
#pragma once

#include "document/UnitData.h"
#include "library/UnitInternet.h"

#include <QWidget>

class CloudHost;
class QComboBox;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;

class TFormCloudUpload : public QWidget
{
    Q_OBJECT
public:
    TFormCloudUpload(TInternet &internet, QWidget *parent = nullptr);

    void SyokiForm(const RBunruiData &bunrui, const QString &workFolder, CloudHost *host);
    void StartForm();

    // The upload button; true when the server took the file.
    bool ButtonUploadClick();

    QComboBox *ComboNen = nullptr;
    QComboBox *ComboKyouka = nullptr;
    QLineEdit *EditTitle = nullptr;
    QPushButton *ButtonUpload = nullptr;
    QPlainTextEdit *Answer = nullptr; // the server's answer, for checking

private:
    TInternet &mInternet;
    CloudHost *mHost = nullptr;
    QString mWorkFolder;
};
