// Pictures for the creation tools: the picture dialog behind a small
// interface (tests script the file name), reading BMP, JPEG and GIF files
// into a bitmap, and the pictures of the two on-page button objects, which
// the program draws itself. Reading never fails loudly: a file that cannot
// be read gives an empty picture. Nothing here changes the document.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;

// The filter of the picture dialog, as its list shows it.
inline const QString PictureFilter = QStringLiteral(
    "すべて (*.gif;*.jpg;*.jpeg;*.bmp)|*.gif;*.jpg;*.jpeg;*.bmp|GIF 画像 (*.gif)|*.gif|"
    "JPEG イメージファイル (*.jpg)|*.jpg|JPEG イメージファイル (*.jpeg)|*.jpeg|ビットマップ "
    "(*.bmp)|*.bmp");

// The same filter in the toolkit's notation ("name (patterns);;...").
QString PictureFilterForDialog();

class PictureDialogs
{
public:
    virtual ~PictureDialogs() = default;
    // The chosen picture file, or an empty text when cancelled.
    virtual QString getOpenPictureName() = 0;
};

class WidgetPictureDialogs : public PictureDialogs
{
public:
    explicit WidgetPictureDialogs(QWidget *parent = nullptr) : mParent(parent) {}
    QString getOpenPictureName() override;

private:
    QWidget *mParent;
    QString mFolder;
};


// Reads a picture by its lower-cased extension: ".bmp" as a bitmap, ".jpg"
// and ".jpeg" as JPEG, ".gif" as GIF. Any failure, and any other
// extension, gives a null image; so does anything but a regular file (a
// pipe, a device). A file above MaxPictureFileSize or a picture above
// MaxPicturePixels (checked from its header, before decoding) also gives a
// null image, and then `tooLarge` (when given) is set.
inline constexpr qint64 MaxPictureFileSize = qint64(256) << 20;
QImage ReadPictureFile(const QString &fileName, bool *tooLarge = nullptr);
inline const QString PictureTooLargeText =
    QStringLiteral("画像が大きすぎるため、読み込むことができません。");

// The pictures of the answer-display switch ("表示切替") and of the
// regenerate button ("作成"), drawn by the program.
QImage AnswerSwitchPicture();
QImage RandomButtonPicture();
