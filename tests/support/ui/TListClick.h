#pragma once

class QListWidget;

// Clicks a line of a list with the mouse, as the user picks it.
void ClickRow(QListWidget& list, int row);
