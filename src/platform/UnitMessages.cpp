#include "platform/UnitMessages.h"
#include "platform/UnitProduct.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class WidgetMessages : public MessageService {
public:
    MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons,
                   MsgIcon icon) override
    {
        QMessageBox box;
        box.setWindowTitle(caption);
        box.setText(text);
        switch (icon) {
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MsgIcon::None: break;
        }
        switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MsgButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Ok: return MsgAnswer::Ok;
        default: return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
        }
    }
};

WidgetMessages &defaultService()
{
    static WidgetMessages service;
    return service;
}

MessageService *current = nullptr;

} // namespace

MessageService &Messages() { return current ? *current : defaultService(); }

void SetMessages(MessageService *service) { current = service; }

void ShowMessage(const QString &text, MsgIcon icon)
{
    Messages().show(text, Product::DisplayName, MsgButtons::Ok, icon);
}

void ShowError(const QString &text) { ShowMessage(text, MsgIcon::Error); }

MsgAnswer AskYesNo(const QString &text)
{
    return Messages().show(text, Product::DisplayName, MsgButtons::YesNo, MsgIcon::Question);
}

MsgAnswer AskYesNoCancel(const QString &text)
{
    return Messages().show(text, Product::DisplayName, MsgButtons::YesNoCancel,
                           MsgIcon::Question);
}

ScriptedMessages::ScriptedMessages() { SetMessages(this); }

ScriptedMessages::~ScriptedMessages()
{
    if (&Messages() == this)
        SetMessages(nullptr);
}

MsgAnswer ScriptedMessages::show(const QString &text, const QString &caption, MsgButtons buttons,
                                 MsgIcon)
{
    texts << text;
    captions << caption;
    if (!answers.empty()) {
        MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}
