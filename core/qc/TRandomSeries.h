#pragma once
#include "TConfigRecord.h"
#include "TQCTypes.h"

#include <QString>

class TAnalyte;
class TFifo;
class TRandom;

// A series of generated runs for training: one run a day from a first
// date-time, each level drawn from a normal law of the given mean and CV.
struct TRandomSeries {
    int Number = 0; // 1 to 1000
    TQCValues Means; // psNoValue: level not generated
    TQCValues CVs; // in per cent; psNoValue: the level gets no value
    double FirstDateTime = 0;

    // True when at least one level has a mean.
    bool AnyLevel() const;
    // "Create <number> random QC points from <first date>".
    QString Question(const QString& numberText) const;
};

// One random result for the analyte, for the queue: each level drawn from a
// normal law of the given mean and CV (a cell with status psNoValue means "not
// given", and so does a level beyond the analyte's).
TResu0 MakeRandomResult(
    const TAnalyte& analyte, const TQCValues& means, const TQCValues& cvs, double dateTime, TRandom& random);
// Adds `count` random points, one a day from firstDateTime; then every level
// goes back to mobile limits, and the analyte is recomputed and classified.
void AddRandomPoints(TAnalyte& analyte, int count, const TQCValues& means, const TQCValues& cvs, double firstDateTime,
    TRandom& random, const TRisks& risks);

// Puts the runs into the queue, each one written to the queue file as it comes;
// the analyte itself is left untouched. False when the queue file could not be
// written (the runs are in the queue in memory all the same).
bool AddRandomToQueue(const TAnalyte& analyte, const TRandomSeries& series, TRandom& random, TFifo& fifo);

// Adds the runs to the analyte's points; every level goes back to mobile limits,
// the analyte is recomputed and every point classified again.
void AddRandomToCharts(TAnalyte& analyte, const TRandomSeries& series, TRandom& random, const TRisks& risks);
