// The single-document cycle: the unsaved-changes question that guards
// closing, "新規作成", opening and the navigator, and NewFile, which empties the
// worksheet and its scratch folder. Used by the main window; holds no state.
#pragma once

#include "document/UnitData.h"
#include "platform/UnitFolders.h"

#include <functional>

class PageSet;

inline const QString SaveChangesQuestion = QStringLiteral("変更内容を保存しますか？");

// Asks "変更内容を保存しますか？" when the worksheet has unsaved changes. Returns
// true when the caller may go on: no changes, No, or Yes followed by a save
// that succeeded (saveAs returns true when it saved). Cancel, or a save that
// did not happen, returns false and changes nothing.
bool AskSaveChanges(const Document &doc, const std::function<bool()> &saveAs);

// Empties the document: flag, scratch folder, pages, objects, pictures and
// header fields. The caller then creates the first page.
void NewFile(Document &doc, PageSet &pages, const WorkingFolders &folders);
