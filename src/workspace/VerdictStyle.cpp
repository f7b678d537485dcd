#include "VerdictStyle.h"

QString verdictLabelStyle(Verdict verdict)
{
    return verdict == Verdict::Ng ? QStringLiteral("QLabel{background:red;}")
                                  : QStringLiteral("QLabel{background-color: rgb(0, 255, 0);}");
}

Qt::GlobalColor verdictCellColor(Verdict verdict)
{
    return verdict == Verdict::Ng ? Qt::red : Qt::darkGreen;
}

QString swatchStyleSheet(int red, int green, int blue)
{
    return QStringLiteral("background-color: rgb(%1, %2, %3);").arg(red).arg(green).arg(blue);
}
