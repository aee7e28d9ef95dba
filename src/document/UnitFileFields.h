// The 75 columns of an object line, in file order, with their names and
// types. The worksheet reader and writer and the command-line dump all walk
// this one table, so a column cannot be read, written or listed out of step
// with the others. Holds no state and touches no file.
#pragma once

#include "document/UnitData.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <array>

enum class FieldType { Int, Str, Byte };

struct FieldDef {
    const char *name;
    FieldType type;
    Integer RAData::*i = nullptr; // Int and colour fields
    QString RAData::*s = nullptr; // string fields
    Byte RAData::*b = nullptr;    // Byte fields
};

inline constexpr int FieldCount = 75;

// Every field of RAData in declaration order (= column order of the file).
const std::array<FieldDef, FieldCount> &RADataFields();

// The field's value as written in an object line: a decimal number, or the
// string escaped with HenkanFileData.
QString FieldToFileText(const RAData &row, int field);

// Sets the field from one piece of an object line: numbers through
// TextToInt64 cut to the field's width (a Byte keeps its low 8 bits; empty or
// non-numeric text is 0), strings through ReturnFileData.
void FieldFromFileText(RAData &row, int field, QStringView piece);

// The pieces of a line split at ",", as SplitText gives them (a line without
// a comma has none), as views into the line.
QList<QStringView> SplitObjectLine(QStringView line);

// The number a numeric field holds (Int or Byte), for listings.
int64_t FieldNumber(const RAData &row, int field);

// A number stored in a file: TextToInt64's reading (empty, non-numeric and
// malformed text is 0; a value beyond 64 bits is 0 too), without the
// ten-digit warning, which is about calculations and not about stored values.
int64_t FileTextToInt64(const QString &text);

// Escape and unescape of a string for an object line.
QString HenkanFileData(const QString &text);
QString ReturnFileData(const QString &text);
