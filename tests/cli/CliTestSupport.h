#pragma once
// Shared by the companion's tests: run it, and a folder of the program's files.
#include "TAnalyte.h"
#include "TDataFile.h"
#include "TDataSample.h"
#include "TDates.h"
#include "TFifo.h"
#include "TFifoFile.h"
#include "TOperatorList.h"
#include "TSettings.h"
#include "TStatistics.h"
#include "TestHelpers.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

struct TCliRun {
    int Status = -1;
    QString Out;
    QString Err;
};

inline TCliRun RunCli(const QStringList& args)
{
    QProcess process;
    process.start(CliProgram(), args);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return { ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

// Names, sizes and modification times of a folder's files, to show nothing was written.
inline QStringList FolderState(const QString& path)
{
    QStringList state;
    for (const QFileInfo& info : QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        state << QString("%1 %2 %3").arg(info.fileName()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    return state;
}

// A JSON value as compact text, so that a comparison shows both sides.
inline QString JsonText(const QJsonValue& value)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray { value }).toJson(QJsonDocument::Compact));
}

// The sample model and, for the rules, "Sodium" (QC1 and QC2 mobile over ten values around 100 and 200, SD 1.826
// and 3.651; QC3 fixed) and "Urea" (rules off), saved in `folder` with risks 1 and 2 (2% alert); the queue's first
// result at a day count of 17 digits with singles that few digits would miss.
inline void MakeModelFolder(TQCContext& context, const QString& folder)
{
    context.SetProgramFolder(folder);
    LoadConfig(context);
    context.Config.AlertRisk = 1;
    context.Config.ActionRisk = 2;
    context.Config.Password = "pw";
    context.Config.BackupFolder = "/media/usb";
    for (const char* code : { "zed", "AB", "ab" })
        InsertSorted(context.ListOperators, code);
    FillSampleModel(context.ListSerum, context.ListAnalytes);
    TAnalyte& sodium = context.ListAnalytes.Add(TAnalyte("Sodium", "mmol/L", 1, 3));
    const double first = DateToDayCount(QDate(2026, 3, 1)) + 0.5;
    const double qc1[] = { 99, 101, 98, 102, 100, 99, 101, 100, 103, 97 };
    for (int i = 0; i < 10; ++i)
        sodium.AddPoint(MakeResult(first + i, qc1[i], 2 * qc1[i], 50));
    sodium.Options &= ~aoCommonCV;
    sodium.LimitMode[2] = lmFixed;
    sodium.ReferenceStats[2] = { .Mean = 50, .WarningHalfWidth = 2, .ActionHalfWidth = 3 };
    TAnalyte& urea = context.ListAnalytes.Add(TAnalyte("Urea", "mmol/L", 2, 1));
    urea.Options &= ~aoWestgard;
    for (int i = 0; i < 5; ++i)
        urea.AddPoint(MakeResult(first + i, 5 + 0.1 * i));
    for (int i = 2; i < 4; ++i) {
        RecomputeAll(context.ListAnalytes.Item(i), context.Risks());
        ClassifyAll(context.ListAnalytes.Item(i));
    }
    TResu0 queued = MakeResult(46010.123456789012, 0.1, 16777215, 1.17549435e-38, "ab", "held back");
    queued.Analyte = "Glucose";
    context.ListFifo.Push(queued);
    queued = MakeResult(46011.5, 40.5);
    queued.Analyte = "Calcium";
    context.ListFifo.Push(queued);
    QVERIFY(SaveData(context, DataFileName(context)));
    QVERIFY(SaveConfig(context));
    context.ListFifo.SetStore(FifoFileStore(context.BaseName() + ".fif"));
    QVERIFY(context.ListFifo.Save());
}
