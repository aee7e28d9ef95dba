#include "app/UnitDocumentCycle.h"
#include "document/UnitPaperSet.h"
#include "platform/UnitMessages.h"

bool AskSaveChanges(const Document &doc, const std::function<bool()> &saveAs)
{
    if (!doc.isModified())
        return true;
    switch (AskYesNoCancel(SaveChangesQuestion)) {
    case MsgAnswer::Yes: return saveAs && saveAs();
    case MsgAnswer::No: return true;
    default: return false;
    }
}

void NewFile(Document &doc, PageSet &pages, const WorkingFolders &folders)
{
    doc.SyokiFileData();
    ResetTmpFolder(folders);
    pages.clear();
    doc.Clear();
    doc.NenIndex = 0;
    doc.KyoukaIndex = 0;
    doc.Naiyou.clear();
    doc.NewData = RAData{};
    doc.NewData.ID = -1;
    doc.resetHistory();
}
