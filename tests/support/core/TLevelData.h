#pragma once
#include <QString>
#include <array>

class TAnalyte;
class TListAnalytes;
class TQCContext;

// Appends an analyte of data.size() levels, level l on lot lots[l], recomputed; each character of
// `data` says what its level holds: 'v' three values, 'd' three discarded values only, '-' nothing.
TAnalyte& AddLevelDataAnalyte(
    TQCContext& context, const QString& name, const QString& data, const std::array<int, 3>& lots = { -1, -1, -1 });

QStringList AnalyteNames(const TListAnalytes& list);

// Makes empty archive files of these numbers in the context's folder.
void TouchArchives(const TQCContext& context, const QList<int>& numbers);

// Names of the context's archive files ("QC000001.qca", ...), sorted.
QStringList ArchiveFiles(const TQCContext& context);
