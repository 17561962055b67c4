#pragma once
#include "TQCTypes.h"

#include <QDialog>
#include <array>
#include <memory>

class QLabel;
class QPushButton;
class TArrowButton;
class TDialogService;
class TDragList;
class TKeyButton;
class TLotAssignment;
class TPaintBox;
class TPictures;
class TQCContext;
struct TApplyResult;

// "Assignment of control materials": ties each level of the current analyte
// to a lot. A lot picked in the list goes to a level by the level's arrow
// button, by dragging it onto the level's panel, or by Alt + the level's
// digit. A panel turns yellow while its level is sent another lot than it
// has. The lots change alone, or with the former data of the changed levels
// archived and erased; either way the data file is written at once.
class TWinSerumByAnal : public QDialog {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 14;

    TWinSerumByAnal(TQCContext& context, TDialogService& dialogs, const TPictures& pictures, QWidget* parent = nullptr);
    ~TWinSerumByAnal() override;

    QLabel* PanelHeader;
    std::array<TArrowButton*, MaxLevels> BtLevel;
    std::array<QWidget*, MaxLevels> PanelLevel;
    std::array<TPaintBox*, MaxLevels> PBoxLevel;
    TDragList* LBSerum;
    QPushButton* BtChange;
    QPushButton* BtErase;
    QPushButton* BtUndo;
    QPushButton* BtCancel;
    TKeyButton* BtCle;

    // The lot a level is sent, or -1 before the window was shown for an analyte.
    qint32 WorkingLot(int level) const;
    // The two lines a level's panel shows: the material's name ("Unknown" for
    // a lot that no longer exists) and its lot.
    QStringList PanelLines(int level) const;

public slots:
    void FormActivate();
    void InitForm();
    void BtChangeClick();
    void BtEraseClick();
    void BtUndoClick();
    // Sends the lot selected in the list to a level.
    void SendToLevel(int level);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void PBoxPaint(int level, QPainter& painter);
    void ShowLevel(int level);
    // Reports what could not be archived or saved.
    void Report(const TApplyResult& result);

    TQCContext& m_context;
    TDialogService& m_dialogs;
    const TPictures& m_pictures;
    std::unique_ptr<TLotAssignment> m_assignment;
};
