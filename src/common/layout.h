#pragma once
// Helpers for the windows' fixed layouts, which are given in twips (15 to a pixel at 96 dpi)
// and were made for a smaller system font than today's.

#include <QRect>

class QWidget;

namespace kasto {

// A rectangle given in twips, in pixels.
QRect twips(int left, int top, int width, int height);

// Lets every caption below `root` be read whole: a push button wider than designed grows about
// its centre, a label, check box or option button grows to the right.
void passeAn(QWidget *root);

} // namespace kasto
