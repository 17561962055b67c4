#pragma once
#include "TDialogService.h"

// The message boxes of the parameter editors.
namespace EditorMessages {
// %1: the analyte's name.
inline constexpr TMessage ConfirmAnalyteDeletion { TMsgType::Confirmation,
    "Warning, you are about to clear all archived data and \rcurrent control points for %1\rConfirm analyte deletion :",
    mbOK | mbCancel };
inline constexpr TMessage NoMaterialSelected { TMsgType::Error, "No control material selected", mbYes };
inline constexpr TMessage NothingChanged { TMsgType::Information, "Nothing Changed", mbYes };
} // namespace EditorMessages
