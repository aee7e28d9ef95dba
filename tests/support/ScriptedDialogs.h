// Test stand-ins for the editor's file, picture and colour dialogs: they
// answer from a queue the test fills, and record how often they were asked.
#pragma once

#include "app/UnitFileCommands.h"
#include "editing/UnitColorMenus.h"
#include "editing/UnitPicture.h"

#include <QVector>
#include <deque>
#include <optional>

// File names from a queue (an empty queue: cancelled); every call is
// recorded with what the dialog was shown.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct Call {
        bool save;
        QString initialFolder;
        QString fileName;
        QString filter;
    };
    QString getOpenFileName(const QString &initialFolder, const QString &fileName,
                            const QString &filter) override
    {
        return next(false, initialFolder, fileName, filter);
    }
    QString getSaveFileName(const QString &initialFolder, const QString &fileName,
                            const QString &filter) override
    {
        return next(true, initialFolder, fileName, filter);
    }
    std::deque<QString> answers;
    QVector<Call> calls;

private:
    QString next(bool save, const QString &initialFolder, const QString &fileName,
                 const QString &filter)
    {
        calls.append(Call{save, initialFolder, fileName, filter});
        if (answers.empty())
            return QString();
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

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
