#pragma once

class QListWidget;
class QWidget;

// Clicks a line of a list with the mouse, as the user picks it.
void ClickRow(QListWidget& list, int row);

// Shows a window and waits until it is the active one (false if it never is).
bool ShowActive(QWidget& window);
