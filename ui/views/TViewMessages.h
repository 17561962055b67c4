#pragma once
#include "TDialogService.h"

// The message boxes of the views: data table, archives, import and set-up.
namespace ViewMessages {
inline constexpr TMessage NothingToShow { TMsgType::Error, "Nothing to show", mbYes };
inline constexpr TMessage NothingToCopy { TMsgType::Error, "Nothing to copy.", mbYes };
// %1: the analyte's name, cut to 28 characters.
inline constexpr TMessage CopiedToClipboard { TMsgType::Information,
    "\rThe data for %1 are now copied in the clipboard.\rYou can paste them in a spreadsheet.", mbYes };
inline constexpr TMessage ImportAddToPoints { TMsgType::Confirmation,
    "Add the new QC points to the previous ones\rThe QC mode will be reset to mobile", mbOK | mbCancel };
inline constexpr TMessage SetupDone { TMsgType::Information, "Setup OK", mbYes };
inline constexpr TMessage SetupFailed { TMsgType::Information, "Unable to complete setup", mbYes };
// %1: the number of lines deleted.
inline constexpr TMessage ConfirmLineDeletion { TMsgType::Confirmation, "Irreversible deletion of %1 lines ?",
    mbOK | mbCancel };
inline constexpr TMessage NothingToEdit { TMsgType::Error, "Nothing to edit.", mbYes };
inline constexpr TMessage SelectLineToEdit { TMsgType::Error, "Select the line to edit.", mbYes };
} // namespace ViewMessages
