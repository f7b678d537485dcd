#include "WindowFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QRect fittedWindowGeometry(const QRect& available, const QSize& preferred, const QSize& minimum,
                           const QMargins& frame)
{
    const QSize room = available.marginsRemoved(frame).size();
    const QSize size = preferred.boundedTo(room).expandedTo(minimum);
    const QSize outer = size.grownBy(frame);
    const QPoint corner(available.left() + std::max(0, (available.width() - outer.width()) / 2),
                        available.top() + std::max(0, (available.height() - outer.height()) / 2));
    return QRect(corner + QPoint(frame.left(), frame.top()), size);
}

void fitWindowToScreen(QWidget* window, const QSize& preferred, const QWidget* anchor)
{
    const QScreen* screen = anchor ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    // Until a window is shown its frame is not known: room is kept for a
    // title bar and borders of the usual size, so the frame does not start
    // below the screen's edge.
    QMargins frame(4, 30, 4, 4);
    if (anchor && anchor->window()->isVisible()) {
        const QWidget* shown = anchor->window();
        const QRect outer = shown->frameGeometry();
        const QRect inner = shown->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    const QRect geometry = fittedWindowGeometry(screen->availableGeometry(), preferred, window->minimumSizeHint(), frame);
    window->resize(geometry.size());
    // move() places the frame's corner.
    window->move(geometry.topLeft() - QPoint(frame.left(), frame.top()));
}
