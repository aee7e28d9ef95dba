// The page images follow the document: each change repaints the pages it
// names (every page for the header fields, the answer colour and the paper).
// The steps of a mouse drag are gathered and repainted once when the drag
// ends; meanwhile only the marks over the pages move.
#pragma once

#include "document/UnitCommands.h"

#include <QObject>
#include <QSet>

class Document;
class EditHost;

class PageRedraws : public QObject
{
    Q_OBJECT
public:
    PageRedraws(Document &doc, EditHost &host, QObject *parent = nullptr);

private:
    void changed(const RChange &change);
    void flush();

    EditHost &mHost;
    QSet<int> mPending;
    bool mPendingAll = false;
};
