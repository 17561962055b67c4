#pragma once
#include "TBackup.h"

#include <QStringList>
#include <functional>

// Records the backup's boxes and answers them: OK to questions, Retry when `Appears` made the target.
struct TScriptedBackupUi : TBackupUi {
    QStringList Asked;
    bool ConfirmAnswer = true;
    std::function<bool()> Appears = [] { return false; };
    bool RetryMissingDisk(const QString& text) override { return Asked << text, Appears(); }
    bool Confirm(const QString& text) override { return Asked << text, ConfirmAnswer; }
    void ShowCopy(const QString& label) override { Asked << label; }
    void HideCopy() override { }
};
