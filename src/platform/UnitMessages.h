// Message boxes behind one small interface. The application installs the
// widget implementation at start-up; tests install a scripted one that
// answers questions from a queue and records every message. Engines never
// call this: they return results or throw, and the application decides.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>

enum class MsgAnswer { Ok, Yes, No, Cancel };

enum class MsgButtons { Ok, YesNo, YesNoCancel };

enum class MsgIcon { None, Information, Warning, Error, Question };

class MessageService {
public:
    virtual ~MessageService() = default;
    // A modal box; returns the button pressed (Cancel when closed).
    virtual MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons,
                           MsgIcon icon) = 0;
};

// The service in use. Defaults to modal QMessageBox boxes.
MessageService &Messages();
// Installs another service (tests); nullptr restores the default.
void SetMessages(MessageService *service);

// Shorthands with the display name as caption.
void ShowMessage(const QString &text, MsgIcon icon = MsgIcon::Information);
void ShowError(const QString &text);
MsgAnswer AskYesNo(const QString &text);
MsgAnswer AskYesNoCancel(const QString &text);

// A message service for tests: answers come from a queue (Ok / Cancel when
// empty) and every message shown is recorded.
class ScriptedMessages : public MessageService {
public:
    ScriptedMessages();
    ~ScriptedMessages() override;
    MsgAnswer show(const QString &text, const QString &caption, MsgButtons buttons,
                   MsgIcon icon) override;
    std::deque<MsgAnswer> answers;
    QStringList texts;
    QStringList captions;
};
