// The main window's commands that put a worksheet on sheets without the
// print dialog: "PDFで保存…" (the open worksheet as its problem sheet, its
// answer sheet or both, into one PDF) and "クラス分作成…" (a numbered copy
// with new random problems for every pupil, each with its answer sheet, to
// a printer or into one PDF). The window makes one TSheetCommands, which
// adds both items to the file menu; the navigator reaches the class sets
// through the window. The open worksheet, its pages and its undo stack are
// only read: neither command changes them.
#pragma once

#include "app/UnitClassSet.h"
#include "app/UnitHeadless.h"

#include <QObject>

class QAction;
class TForm1;
class TFormClassSet;
class TFormPdfSave;

class TSheetCommands : public QObject
{
    Q_OBJECT
public:
    explicit TSheetCommands(TForm1 &form);

    // "PDFで保存…": the choice of sheets, then SavePdf.
    void SavePdfCommand();
    // The save dialog (the worksheet's name with ".pdf" in its folder, an
    // untitled one "プリント.pdf" in the user's folder), the overwrite
    // question, then the PDF. True when the file was written.
    bool SavePdf(SheetChoice choice);

    // "クラス分作成…": the dialog, then RunClassSet with its choices.
    void ClassSetCommand();
    // The class set to the named printer, or (empty name) into a PDF
    // chosen with the save dialog, with a progress dialog that can cancel.
    // True when every sheet was printed or written.
    bool RunClassSet(const ClassSetOptions &options, const QString &printer = QString());

    QAction *ActionPdf = nullptr;      // "PDFで保存…"
    QAction *ActionClassSet = nullptr; // "クラス分作成…"
    TFormClassSet *FormClassSet = nullptr;
    TFormPdfSave *FormPdfSave = nullptr;

private:
    // The PDF path from the save dialog and the overwrite question; empty
    // when the teacher gave none or kept the old file.
    QString askPdfPath();
    // The open worksheet, copied for drawing.
    void copyWorksheet(HeadlessWorksheet &sheet) const;

    TForm1 &mForm;
};
