#include "StandardColorSheet.h"

#include "Bytes.h"
#include "StandardColorLibrary.h"
#include "XlsxReader.h"

#include <QFile>

#include <QLocale>

#include <cmath>

namespace {

QVariant cellAt(const QList<QVariantList>& rows, int row, int column)
{
    return rows.value(row - 1).value(column - 1);
}

QString text(const QList<QVariantList>& rows, int row, int column)
{
    return standardColorCellText(cellAt(rows, row, column));
}

// A whole number cell; empty counts as 0. ok false for anything else.
qint64 wholeNumber(const QVariant& cell, bool& ok)
{
    ok = true;
    if (!cell.isValid() || cell.toString().trimmed().isEmpty()) {
        return 0;
    }
    if (cell.typeId() == QMetaType::Double) {
        const double v = cell.toDouble();
        ok = std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15;
        return ok ? static_cast<qint64>(v) : 0;
    }
    return cell.toString().simplified().toLongLong(&ok);
}

bool fail(StandardColorSheetProblem& problem, StandardColorSheetProblem::Kind kind, const QString& message)
{
    problem.kind = kind;
    problem.message = message;
    return false;
}

} // namespace

int standardColorValue(const QString& text, bool* ok)
{
    QString simplified = text.simplified();
    // Exponent notation (a cell of 0.0001 reads "1e-04") is read in the C
    // locale and written out as the same number in plain decimals, then cut
    // like any other text.
    if (simplified.contains(u'e', Qt::CaseInsensitive)) {
        bool parsed = false;
        const double number = QLocale::c().toDouble(simplified, &parsed);
        if (!parsed || !std::isfinite(number) || std::fabs(number) >= 1e9) {
            if (ok) {
                *ok = false;
            }
            return 0;
        }
        simplified = QString::number(number, 'f', QLocale::FloatingPointShortest);
    }
    const qsizetype dot = simplified.indexOf(u'.');
    const QString integerPart = dot < 0 ? simplified : simplified.left(dot);
    const QString fraction = (dot < 0 ? QString() : simplified.mid(dot + 1)).left(2).leftJustified(2, u'0');
    bool good = !simplified.isEmpty() && fraction[0].isDigit() && fraction[1].isDigit();
    bool parsed = false;
    const int value = (integerPart + fraction).toInt(&parsed);
    good = good && parsed;
    if (ok) {
        *ok = good;
    }
    return good ? value : 0;
}

QString standardColorCellText(const QVariant& cell)
{
    if (cell.typeId() == QMetaType::Double) {
        return QString::number(cell.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    if (cell.typeId() == QMetaType::Bool) {
        return cell.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    }
    return cell.toString().simplified();
}

bool StandardColorSheet::parse(const QList<QVariantList>& rows, const QString& modelName,
                               StandardColorLibrary& library, StandardColorSheetProblem& problem)
{
    library = StandardColorLibrary();
    problem = StandardColorSheetProblem();
    using Kind = StandardColorSheetProblem::Kind;
    if (rows.isEmpty()) {
        return fail(problem, Kind::Unreadable, tr("Failed to read excel file!"));
    }
    if (text(rows, 1, 1) != modelName.simplified()) {
        return fail(problem, Kind::WrongModel, tr("The written contents do not match and cannot be written!"));
    }
    if (rows.size() < 2) {
        return fail(problem, Kind::Invalid,
                    tr("Row 2 must hold the number of standard color cards and its checksum, but the sheet ends at row 1."));
    }
    bool ok = false;
    const qint64 count = wholeNumber(cellAt(rows, 2, 1), ok);
    if (!ok || count < 0 || count > kStandardColorMaxCards) {
        return fail(problem, Kind::Invalid,
                    tr("Row 2: the number of standard color cards must be a whole number from 0 to %1, not \"%2\".")
                        .arg(kStandardColorMaxCards).arg(text(rows, 2, 1)));
    }
    const qint64 countSum = wholeNumber(cellAt(rows, 2, 2), ok);
    QByteArray countBytes;
    putU16le(countBytes, static_cast<quint16>(count));
    if (!ok || countSum != standardColorChecksum(countBytes)) {
        return fail(problem, Kind::Invalid,
                    tr("Row 2: the checksum \"%1\" does not match the number of standard color cards.").arg(text(rows, 2, 2)));
    }
    library.count = static_cast<int>(count);
    library.countChecksum = static_cast<quint16>(countSum);
    if (rows.size() < count + 2) {
        return fail(problem, Kind::Invalid,
                    tr("Row %1 should hold standard color card %2, but the sheet ends at row %3.")
                        .arg(rows.size() + 1).arg(rows.size() - 1).arg(rows.size()));
    }
    qint64 dataRows = 0;
    for (int i = 0; i < count; ++i) {
        const int r = i + 3;
        StandardColorCardRow card;
        card.nameA = text(rows, r, 1);
        card.nameB = text(rows, r, 2);
        for (const QString& name : {card.nameA, card.nameB}) {
            if (name.toUtf8().size() > kStandardColorNameBytes) {
                return fail(problem, Kind::Invalid, tr("Row %1: the card name \"%2\" takes more than %3 bytes.")
                                                        .arg(r).arg(name).arg(kStandardColorNameBytes));
            }
        }
        qint64 values[3] = {0, 0, 0};
        for (int k = 0; k < 3; ++k) {
            values[k] = wholeNumber(cellAt(rows, r, 3 + k), ok);
            if (!ok || values[k] < 0 || values[k] > 0xFFFF) {
                return fail(problem, Kind::Invalid,
                            tr("Row %1: \"%2\" in column %3 is not a whole number from 0 to 65535.")
                                .arg(r).arg(text(rows, r, 3 + k)).arg(QChar(u'C' + k)));
            }
        }
        card.valueA = static_cast<int>(values[0]);
        card.valueB = static_cast<int>(values[1]);
        card.checksum = static_cast<quint16>(values[2]);
        if (standardColorChecksum(standardColorRecord(card.nameA, card.nameB, card.valueA, card.valueB)) != card.checksum) {
            return fail(problem, Kind::Invalid,
                        tr("Row %1: the checksum \"%2\" does not match the standard color card.").arg(r).arg(text(rows, r, 5)));
        }
        dataRows += card.valueA;
        library.cards.append(card);
    }
    const qint64 lastRow = kStandardColorFirstDataRow - 1 + dataRows;
    if (rows.size() < lastRow) {
        return fail(problem, Kind::NotEnoughRows, tr("Error in Excel file with not enough rows of standard color cards!"));
    }
    library.dataRows = static_cast<int>(dataRows);
    QByteArray names;
    QByteArray values;
    names.reserve(dataRows * kStandardColorDataNameBytes);
    for (int r = kStandardColorFirstDataRow; r <= lastRow; ++r) {
        const QString name = text(rows, r, 1);
        QByteArray bytes = name.toUtf8();
        if (bytes.size() > kStandardColorDataNameBytes) {
            return fail(problem, Kind::Invalid, tr("Row %1: the name \"%2\" takes more than %3 bytes.")
                                                    .arg(r).arg(name).arg(kStandardColorDataNameBytes));
        }
        names += bytes.leftJustified(kStandardColorDataNameBytes, '\0');
        for (int k = 0; k < 3; ++k) {
            const QString cell = text(rows, r, 2 + k);
            const int value = cell.isEmpty() ? 0 : standardColorValue(cell, &ok);
            if ((!cell.isEmpty() && !ok) || value < -32768 || value > 0xFFFF) {
                return fail(problem, Kind::Invalid,
                            tr("Row %1: \"%2\" in column %3 is no number from -327.68 to 655.35.")
                                .arg(r).arg(cell).arg(QChar(u'B' + k)));
            }
            putU16le(values, static_cast<quint16>(value));
        }
    }
    library.stream = names + values;
    return true;
}

bool StandardColorSheet::readWorkbook(const QString& path, QList<QVariantList>& rows, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = file.errorString();
        }
        return false;
    }
    const XlsxLimits limits;
    if (file.size() > limits.maxArchiveBytes) {
        if (error) {
            *error = QStringLiteral("the file is too large");
        }
        return false;
    }
    XlsxSheet sheet;
    if (!readXlsxSheet(file.readAll(), 1, sheet, error, limits)) {
        return false;
    }
    rows = sheet.denseRows();
    return true;
}
