#pragma once
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

#include "TQCTypes.h"

class TAnalyte;
class TFifo;
class TListAnalytes;
class TListSerum;
struct TConfigRecord;

// The JSON forms of the model that `dump` prints. Numbers are written so that
// they read back to the same value: doubles in their shortest exact form,
// single-precision values in the shortest decimal that gives the same single.

// A single-precision value as the double whose shortest text reads back to it.
QJsonValue SingleJson(float value);
QJsonObject StatsJson(const TLevelStats& stats);
QJsonArray ValuesJson(const TQCValues& values);
QJsonObject AnalyteJson(const TAnalyte& analyte);
QJsonArray AnalytesJson(const TListAnalytes& analytes);
QJsonArray MaterialsJson(const TListSerum& serums);
QJsonArray QueueJson(const TFifo& queue);
QJsonObject SettingsJson(const TConfigRecord& config, bool firstStart, const QStringList& operators);
// "YYYY-MM-DDThh:mm:ss.zzz" of a day count.
QString IsoText(double dayCount);
