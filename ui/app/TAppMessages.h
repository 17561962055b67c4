#pragma once
#include "TDialogService.h"
#include "TStorage.h"

// The message boxes of the program's start-up.
namespace AppMessages {
inline constexpr TMessage CannotReadData { TMsgType::Error, TStorage::MsgCannotReadData, mbYes };
inline constexpr TMessage AlreadyRunning { TMsgType::Error, TStorage::MsgAlreadyRunning, mbOK };
inline constexpr TMessage NoFolder { TMsgType::Error, "No folder can hold the files of Vantorel.", mbOK };
} // namespace AppMessages
