// The classification of the open worksheet in the main window: the grade
// box and the subject box (filled from the document's BunruiData) and the
// content box, on a tool bar of their own. They show the worksheet's values
// after every new, open and undo; a change by the teacher becomes one
// undoable command on the document, which marks it changed, and the next
// save writes the values into the file's header.
#pragma once

#include <QObject>

class Document;
class QComboBox;
class QLineEdit;
class QToolBar;
class TForm1;

class TBunruiBar : public QObject
{
    Q_OBJECT
public:
    TBunruiBar(Document &doc, QObject *parent = nullptr);

    QToolBar *Bar = nullptr;
    QComboBox *ComboNen = nullptr;
    QComboBox *ComboKyouka = nullptr;
    QLineEdit *EditNaiyou = nullptr;

    // Fills the boxes from the document's lists, both at index 0, content empty.
    void SyokiForm();
    // Shows the document's values without counting that as a change.
    void ShowDocument();
    // Reads the three boxes into the document as one undoable command
    // (nothing when they hold the document's values already).
    void ApplyBoxes();

private:
    Document &mDoc;
};

// Adds the bar to the main window and keeps it in step with the worksheet.
TBunruiBar *InstallBunruiBar(TForm1 &form);
