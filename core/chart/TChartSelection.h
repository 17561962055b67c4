#pragma once
#include "TConfigRecord.h"

#include <QString>

class TAnalyte;

// The date interval chosen at the bottom of the charts on the Lock sheet: the
// anchor is the point clicked first; First <= Last; all -1 when nothing is chosen.
struct TIntervalSelection {
    int First = -1;
    int Last = -1;
    int Anchor = -1;

    bool IsSet() const { return First >= 0 && Last >= First; }
    void Clear() { First = Last = Anchor = -1; }
    // A plain click: the point becomes the anchor and the whole interval.
    void Click(int index);
    // A Shift+click: anchor..index in ascending order; nothing without an anchor.
    // Returns whether the selection changed.
    bool ShiftClick(int index);
    // Gliding with the left button held: the window position under x (0 left of
    // x = 53, the window's last point right of the window), and the selection
    // anchor..that point. On a series longer than the window, a pointer left of
    // the plot (x < 38) scrolls the window back one point and one right of it
    // (x > 503) forward one point, as long as the window can move. Returns the
    // window's first index after the move; nothing happens without an anchor.
    int Glide(int x, int windowFirst, int windowLast, int count);
};

// One level's row of the partial statistics grid: mean with one decimal more than
// the analyte, CV with one decimal, N; "", "", "0" without an interval.
struct TLockGridRow {
    QString Mean;
    QString CV;
    QString N;
    bool operator==(const TLockGridRow&) const = default;
};
TLockGridRow LockGridRow(const TAnalyte& analyte, int level, const TIntervalSelection& selection, const TRisks& risks);
