// Test stand-ins for the editor's picture and colour dialogs: they answer
// from a queue the test fills, and count how often they were asked.
#pragma once

#include "editing/UnitColorMenus.h"
#include "editing/UnitPicture.h"

#include <deque>
#include <optional>

// Picture names from a queue (an empty queue: cancelled).
class ScriptedPictureDialogs : public PictureDialogs
{
public:
    QString getOpenPictureName() override
    {
        ++calls;
        if (names.empty())
            return QString();
        QString n = names.front();
        names.pop_front();
        return n;
    }
    std::deque<QString> names;
    int calls = 0;
};

// Colours from a queue (an empty queue or an empty answer: cancelled).
class ScriptedColorChooser : public ColorChooser
{
public:
    std::optional<TColor> choose(TColor) override
    {
        ++asked;
        if (answers.empty())
            return std::nullopt;
        const std::optional<TColor> a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<std::optional<TColor>> answers;
    int asked = 0;
};
