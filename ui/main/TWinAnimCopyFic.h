#pragma once
#include <QDialog>

class QLabel;
class QProgressBar;

// The small window shown, without being modal, while the backup file is written
// or read: a running progress bar and what is being done.
class TWinAnimCopyFic : public QDialog {
    Q_OBJECT
public:
    explicit TWinAnimCopyFic(QWidget* parent = nullptr);

    // Shows the window with `warning` under the bar and lets it paint.
    void Start(const QString& warning);
    void Stop();

    QProgressBar* Animate;
    QLabel* LblWarning;
};
