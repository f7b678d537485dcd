#pragma once
// What the standards library's two files share: its texts, the key a name
// is unique by, and how numbers and ids are written into its SQLite file.

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <cmath>

namespace standardsql {

inline QString tr(const char* text)
{
    return QCoreApplication::translate("StandardLibrary", text);
}

inline QString key(const QString& text)
{
    return text.trimmed().toCaseFolded();
}

// Numbers as text that reads back as the same double; an unknown one empty.
inline QString numbersText(const double* values, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i) {
        items << (std::isfinite(values[i]) ? QString::number(values[i], 'g', QLocale::FloatingPointShortest)
                                           : QString());
    }
    // Not a null text for no values: SQLite would take that as NULL.
    return items.isEmpty() ? QStringLiteral("") : items.join(QLatin1Char(';'));
}

inline QString uuidText(const QUuid& id)
{
    return id.isNull() ? QString() : id.toString(QUuid::WithoutBraces);
}

} // namespace standardsql
