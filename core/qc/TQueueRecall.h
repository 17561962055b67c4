#pragma once
#include "TQCTypes.h"

class TAnalyte;
class TListAnalytes;
struct TRisks;

// The analyte a run taken back out of the queue goes to.
struct TRecallTarget {
    TAnalyte* Analyte = nullptr;
    bool Created = false; // the run's name was unknown: a new analyte was appended
    bool LevelsGrown = false; // NbLevels grew to show the run's values
};

// Prepares a run taken out of the queue for validation. Its analyte is found by
// name (case ignored, the name as an analyte can hold it); an unknown name
// creates an analyte of 3 levels, 2 decimals and "mmol/L" at the end of the
// list. NbLevels grows to take in the highest level the run has a value for,
// and the levels taken in are computed. The run is then classified against the
// analyte's limits.
TRecallTarget PrepareRecalledRun(TListAnalytes& analytes, TResu0& run, const TRisks& risks);
