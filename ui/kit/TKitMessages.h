#pragma once
#include "TDialogService.h"

// The message boxes of the shared kit, and those every window area shows alike.
namespace KitMessages {
inline constexpr TMessage PrintingFailed { TMsgType::Error, "Printing failed", mbOK };
// A print command with nothing to print; the daily QC's and the audit trail's
// boxes have OK instead of Yes (intended, as they always had).
inline constexpr TMessage NothingToPrint { TMsgType::Error, "Nothing to print", mbYes };
inline constexpr TMessage NothingToPrintOK { TMsgType::Error, "Nothing to print", mbOK };
// %1: the file chosen to print into.
inline constexpr TMessage ReplaceFile { TMsgType::Confirmation, "The file %1 already exists.\rReplace it?",
    mbOK | mbCancel };
// A change committed that the audit trail could not record. %1: the trail's reason.
inline constexpr TMessage JournalFailed { TMsgType::Warning,
    "The change is kept, but the audit trail cannot record it:\r%1\rThe changes not recorded are counted and "
    "noted in the trail once it can be written again.",
    mbOK };
} // namespace KitMessages
