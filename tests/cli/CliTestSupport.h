#pragma once
// Shared by the companion's tests: run it, and make a folder of saved files.
#include "TByteImage.h"
#include "TConfigWriter.h"
#include "TDataFile.h"
#include "TDates.h"
#include "TFifo.h"
#include "TSettings.h"
#include "TestHelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

struct TCliRun {
    int Status = -1;
    QString Out;
    QString Err;
};

inline TCliRun RunCli(const QStringList& args)
{
    QProcess process;
    process.start(QString(VANTOREL_CLI), args);
    TCliRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.Status = process.exitCode();
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// True when err is exactly one non-empty line.
inline bool IsOneLine(const QString& err) { return err.size() > 1 && err.endsWith('\n') && err.count('\n') == 1; }

// Names, sizes and modification times of a folder's files, to show nothing was written.
inline QStringList FolderState(const QString& path)
{
    QStringList state;
    QDirIterator it(path, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        state << QString("%1 %2 %3").arg(info.fileName()).arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    state.sort();
    return state;
}

// A small laboratory saved in `folder`: two materials, two analytes (one with a
// comment, a discarded value, an archive number and a locked level), two queued
// results, settings with non-default risks and three operator codes.
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

    const qint32 lot1 = context.ListSerum.Add("Lyphocheck 1", "123456");
    const qint32 lot2 = context.ListSerum.Add(QString::fromUtf8("Contrôle"), "L2");
    TAnalyte glucose("Glucose", "mmol/L", 1, 2);
    glucose.SerumID = { lot1, lot2, -1 };
    const double day = DateToDayCount(QDate(2026, 3, 1));
    const double values[6][2]
        = { { 5.1, 12.2 }, { 5.3, 11.9 }, { 4.9, 12.4 }, { 5.0, 12.0 }, { 5.2, 12.1 }, { 0.1, 12.3 } };
    for (int i = 0; i < 6; ++i) {
        TResu0 r = MakeResult(day + i + 10.5 / 24, values[i][0], values[i][1], NAN, i == 2 ? "ab" : "zed");
        glucose.AddPoint(r);
    }
    glucose.Point(2).CommentID = glucose.Comments.Add("New reagent");
    glucose.Point(5).Values[0].Status = psDiscarded;
    glucose.Archives = { 3, 7 };
    glucose.LimitMode[1] = lmLocked;
    glucose.LockStart[1] = 0;
    glucose.LockEnd[1] = 4;
    glucose.RecomputeAll(context.Risks());
    glucose.ClassifyAll();
    context.ListAnalytes.Add(std::move(glucose));
    TAnalyte albumin("Albumin", "g/L", 0, 1);
    albumin.LimitMode[0] = lmFixed;
    albumin.ReferenceStats[0].Mean = 42;
    albumin.ReferenceStats[0].WarningHalfWidth = 2;
    albumin.ReferenceStats[0].ActionHalfWidth = 3;
    albumin.AddPoint(MakeResult(day + 0.75, 41));
    albumin.RecomputeAll(context.Risks());
    albumin.ClassifyAll();
    context.ListAnalytes.Add(std::move(albumin));

    TResu0 queued = MakeResult(day + 20.375, 5.05, 12.15, NAN, "ab", "held back");
    queued.Analyte = "Glucose";
    context.ListFifo.Push(queued);
    queued = MakeResult(day + 21.5, 40.5);
    queued.Analyte = "Albumin";
    context.ListFifo.Push(queued);

    QVERIFY(SaveData(context, DataFileName(context)));
    QVERIFY(SaveConfig(context));
    context.ListFifo.SetFileName(context.BaseName() + ".fif");
    QVERIFY(context.ListFifo.Save());
}

// A version-2 file laid out by hand: one material, one analyte "Urea" (units
// "mmol/L", 1 decimal) with two points: 2026-02-01 with 6.5, no value, 7.25
// discarded and comment id 4 ("Old lot"); 2026-02-02 with 6.75 at level 1 only.
inline QByteArray SmallV2File()
{
    const double day = DateToDayCount(QDate(2026, 2, 1));
    TByteImage image;
    image.Int32(1).ShortString("Old serum", 15).Zeros(11);
    image.Int32(1).Int32(2);
    image.Double(day).Single(6.5f).Byte(0).Zeros(3).Single(0).Byte(1).Zeros(3).Single(7.25f).Byte(2).Zeros(3).Int32(4);
    image.Double(day + 1).Single(6.75f).Byte(0).Zeros(3).Single(0).Byte(1).Zeros(3).Single(0).Byte(1).Zeros(3).Int32(
        -1);
    image.ShortString("Urea", 10).ShortString("mmol/L", 12).Int32(1).Zeros(80);
    for (int i = 0; i < 6; ++i)
        image.Int32(-1);
    image.Int32(0); // ignored records
    image.Int32(5).Int32(1).Int32(4).ShortString("Old lot", 23); // comments
    image.Stamp("20");
    return image.Bytes();
}

inline void WriteFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}
