// What the companion's random-problem commands share: the seed argument and
// the settings file, a JSON object with a math row's fields by name.
#pragma once

#include "document/UnitData.h"

#include <QJsonObject>
#include <QString>
#include <QTextStream>
#include <cstdint>

// "--seed S": the generator's seed; false (with a message) when S is not one.
bool ReadSeed(const QString &text, uint64_t &seed, QTextStream &err);

// The row the settings describe: fields by their names, numbers for the
// numeric ones, texts for the others. False on an unknown field.
bool RowFromJson(const QJsonObject &o, RAData &row, QTextStream &err);

// Reads SETTINGS.json (a regular file of at most 1 MB) into a random math
// row: Syu "5", Rand 1, ID 1, Siki1 0 .. 3; a fraction page without a
// problem starts from one of its own. False with a message.
bool ReadProblemSettings(const QString &path, RAData &row, QTextStream &err);
