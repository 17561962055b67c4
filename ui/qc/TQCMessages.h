#pragma once
#include "TDialogService.h"

// The message boxes of the QC windows (random runs, sigma and rules).
namespace QCMessages {
inline constexpr TMessage FillInTheGrid { TMsgType::Error, "Fill in the grid", mbOK };
// %1: the series' question ("Create <n> random QC points from <date>").
inline constexpr TMessage RandomToQueue { TMsgType::Confirmation, "%1\rAdd the new random points in the fifo.",
    mbOK | mbCancel };
inline constexpr TMessage RandomToCharts { TMsgType::Confirmation,
    "%1\rAdd the new random points to the previous ones.", mbOK | mbCancel };
// %1: the reason of the goals file.
inline constexpr TMessage GoalsUnreadable { TMsgType::Error, "The goals file cannot be read: %1", mbOK };
inline constexpr TMessage GoalsNotSaved { TMsgType::Error, "The goals could not be saved: %1", mbOK };
} // namespace QCMessages
