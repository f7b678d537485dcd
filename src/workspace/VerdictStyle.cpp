#include "VerdictStyle.h"

QString verdictLabelStyle(Verdict verdict, bool warning)
{
    if (verdict == Verdict::Ng) {
        return QStringLiteral("QLabel{background:red;}");
    }
    return warning ? QStringLiteral("QLabel{background-color: rgb(255, 176, 0);}")
                   : QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}");
}

QColor verdictCellColor(Verdict verdict, bool warning)
{
    if (verdict == Verdict::Ng) {
        return QColor(Qt::red);
    }
    // Dark enough for the cell's white text.
    return warning ? QColor(176, 96, 0) : QColor(Qt::darkGreen);
}

QString swatchStyleSheet(int red, int green, int blue)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3);").arg(red).arg(green).arg(blue);
}
