#pragma once
#include "TDialogService.h"

// The message boxes of the program's start-up.
namespace AppMessages {
inline constexpr TMessage NoFolder { TMsgType::Error, "No folder can hold the files of Vantorel.", mbOK };
} // namespace AppMessages
