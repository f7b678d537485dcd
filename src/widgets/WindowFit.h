#pragma once
// Where a window opens: within the screen's available area (the desktop less
// its panels), frame included, so that no part of it starts below the edge.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

// The geometry of a window's contents on a screen whose available area is
// available, with frame around them: the preferred size, no larger than the
// area less the frame (and no smaller than minimum), centred in the area.
QRect fittedWindowGeometry(const QRect& available, const QSize& preferred, const QSize& minimum,
                           const QMargins& frame);

// Resizes and places window (a top-level not yet shown) so: on the screen of
// anchor (or the primary screen), with the frame of anchor's window when that
// one is shown (else room for a title bar and borders of the usual size).
void fitWindowToScreen(QWidget* window, const QSize& preferred, const QWidget* anchor);
