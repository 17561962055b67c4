#pragma once
#include "TConfigRecord.h"
#include "TQCTypes.h"

class TAnalyte;
struct TQCPoint;

// Number of rows (risks) and columns (degrees of freedom 1..30, 40, 60, 120, infinity) of the t table.
constexpr int TTableRows = 5;
constexpr int TTableColumns = 34;
// The published two-sided Student's t quantiles for the probabilities 0.05, 0.02,
// 0.01, 0.005 and 0.002.
extern const double TTable[TTableRows][TTableColumns];

// The t quantile for a risk row and a number of degrees of freedom, interpolated
// between the table's columns above 30 (in 1/dof above 120).
double TValue(int riskIndex, int dof);

// Statistics of one level over the points first..last inclusive (empty when first > last;
// indices outside the point list are ignored).
TLevelStats LevelStatistics(const TAnalyte& analyte, int level, int first, int last, const TRisks& risks);

// AllPointsStats and ReferenceStats of one level, by its limit mode; a locked level
// whose interval gives no statistics falls back to mobile limits.
void ComputeLevel(TAnalyte& analyte, int level, const TRisks& risks);
// Pools the CVs of the non-fixed levels and rewrites their limits.
void CommonCV(TAnalyte& analyte, const TRisks& risks);
// ComputeLevel for every level in use, then CommonCV when the analyte asks for it.
void RecomputeAll(TAnalyte& analyte, const TRisks& risks);
// Sets the status of each level's value (0..4) against the reference limits;
// discarded and empty values are left alone.
void ClassifyPoint(const TAnalyte& analyte, TQCPoint& point);
// The same for a run that is not stored yet (entry, queue, validation).
void ClassifyPoint(const TAnalyte& analyte, TResu0& run);
// Status of one value against a level's reference limits and mode.
inline quint8 ClassifyValue(const TLevelStats& reference, quint8 limitMode, double value)
{
    if (limitMode == lmMobile && reference.Status == TLevelStats::StatusNotComputable)
        return psWithin;
    // A value exactly on a limit counts as beyond it.
    const double d = reference.Mean - value;
    if (d >= reference.ActionHalfWidth)
        return psLowAction;
    if (d >= reference.WarningHalfWidth)
        return psLowWarning;
    if (value - reference.Mean >= reference.ActionHalfWidth)
        return psHighAction;
    if (value - reference.Mean >= reference.WarningHalfWidth)
        return psHighWarning;
    return psWithin;
}
void ClassifyAll(TAnalyte& analyte);
