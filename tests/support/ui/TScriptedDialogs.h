#pragma once
#include "TDialogService.h"

#include <QList>
#include <QString>
#include <functional>

// A dialog service for tests: records every box and answers from a script.
class TScriptedDialogs : public TDialogService {
public:
    struct TBox {
        TMsgType Type;
        QString Text;
        int Buttons;
    };

    // Answers for the next boxes, in order; when none is left a box gets its
    // first button in the order OK, Yes, Cancel, No.
    void QueueAnswer(int button) { m_answers.append(button); }
    void QueueExec(std::function<int(QDialog&)> handler) { m_execs.append(std::move(handler)); }
    void QueueFileName(const QString& name) { m_files.append(name); }

    QList<TBox> Boxes;
    QStringList ExecutedWindows; // object names of the windows run
    QStringList FileFolders; // the folder each file chooser opened in
    QStringList FileFilters; // and its filter

    int MessageBox(TMsgType type, const QString& text, int buttons, QWidget* parent = nullptr) override;
    int Exec(QDialog& dialog) override;
    QString OpenFileName(QWidget*, const QString&, const QString&, const QString&) override;
    QString SaveFileName(QWidget*, const QString&, const QString&, const QString&) override;
    // Answers from the file names queued, like the file choosers.
    QString ExistingFolder(QWidget*, const QString&, const QString& folder) override;

    int PendingAnswers() const { return int(m_answers.size()); }
    // Empty when exactly one box was shown and it was this one, or with an empty
    // text when none was shown; otherwise a description of the boxes shown.
    QString OnlyBoxDifference(TMsgType type, const QString& text, int buttons) const;

private:
    QList<int> m_answers;
    QList<std::function<int(QDialog&)>> m_execs;
    QStringList m_files;
};
