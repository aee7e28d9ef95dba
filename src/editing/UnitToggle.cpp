#include "editing/UnitToggle.h"

#include <QSignalBlocker>
#include <memory>

void ConnectToggle(QAbstractButton *button, QObject *context, std::function<void(bool)> action)
{
    // A click emits toggled() before clicked(); the flag tells the clicked()
    // that follows that the change has been acted on already. Every press
    // starts afresh, so a toggle from code never swallows a later click.
    auto toggledInPress = std::make_shared<bool>(false);
    QObject::connect(button, &QAbstractButton::pressed, context,
                     [toggledInPress] { *toggledInPress = false; });
    QObject::connect(button, &QAbstractButton::toggled, context, [toggledInPress, action](bool on) {
        *toggledInPress = true;
        action(on);
    });
    QObject::connect(button, &QAbstractButton::clicked, context, [toggledInPress, action](bool on) {
        if (*toggledInPress) {
            *toggledInPress = false;
            return;
        }
        action(on);
    });
}

void SetCheckedQuietly(QAbstractButton *button, bool checked)
{
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}
