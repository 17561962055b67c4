#pragma once
#include "TQCContext.h"

#include <QDateTime>
#include <QString>
#include <QTest>
#include <cmath>
#include <memory>

// Compares doubles within a relative tolerance, reporting both values on failure.
#define QCOMPARE_NEAR(actual, expected, tolerance)                                                                     \
    do {                                                                                                               \
        const double a_ = double(actual);                                                                              \
        const double e_ = double(expected);                                                                            \
        if (!(std::fabs(a_ - e_) <= (tolerance)*std::max(1.0, std::fabs(e_))))                                         \
            QFAIL(qPrintable(QString("%1 = %2, expected %3").arg(#actual).arg(a_, 0, 'g', 17).arg(e_, 0, 'g', 17)));   \
    } while (false)

// A context on a fixed clock (2026-03-15 10:30) and a fixed seed.
std::unique_ptr<TQCContext> MakeTestContext(
    const QDateTime& now = QDateTime(QDate(2026, 3, 15), QTime(10, 30)), quint64 seed = 12345);

// A result with up to three values; NaN means no value.
TResu0 MakeResult(double dateTime, double v1, double v2 = NAN, double v3 = NAN, const QString& op = QString(),
    const QString& comment = QString());

// Appends an analyte of `count` daily points at noon, the last one the day before `today` (a day
// count), values 5.0 to 5.4 on level 1 and twice and three times that on levels 2 and 3; level l
// uses lot id l. Recomputed and classified.
TAnalyte& AddDailyAnalyte(TQCContext& context, const QString& name, int levels, int count, double today);

// Marks a level locked on the points first..last as a data file can hold it, without recomputing.
void SetLocked(TAnalyte& analyte, int level, int first, int last);

// Folder for pictures and files kept for a person to look at.
QString ArtifactPath(const QString& name);
// A file of the source tree, a test tool and the companion program of this build.
QString SourcePath(const QString& relative);
QString ToolPath(const QString& name);
QString CliProgram();
// The bytes of a file ("<unreadable>" when it cannot be read), and a file written with bytes.
QByteArray FileContent(const QString& path);
bool PutFile(const QString& path, const QByteArray& bytes);
// How many leading bytes two images share: the offset of their first difference.
int SameBytes(const QByteArray& a, const QByteArray& b);

// Texts and numbers joined with spaces, to compare many values at once.
inline QString TextOf(const QString& text) { return text; }
inline QString TextOf(const char* text) { return text; }
template <typename T> QString TextOf(T value) { return QString::number(value); }
template <typename... T> QString Join(const T&... values) { return QStringList { TextOf(values)... }.join(' '); }
