#pragma once
#include <QWidget>

// The splash window shown while the program starts: borderless, always on
// top, centred, with the program's name and a small picture.
class TWinLogoCQ : public QWidget {
    Q_OBJECT
public:
    static constexpr int FormWidth = 427;
    static constexpr int FormHeight = 384;
    explicit TWinLogoCQ(QWidget* parent = nullptr);
};
