// libFuzzer target of the .xlsx reader. First byte even: the rest is a whole
// file (zip). Odd: the rest is split at the first NUL into a worksheet part
// and a shared-string part, handed to the XML readers directly so that
// mutations reach them without breaking the zip's checksums.
#include "XlsxReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    const QByteArray rest = QByteArray::fromRawData(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    XlsxLimits limits;
    limits.maxDenseCells = 1'000'000; // keep each run small; the checks are the same
    QString error;
    XlsxSheet sheet;
    if (data[0] % 2 == 0) {
        if (readXlsxSheet(rest, 1, sheet, &error, limits)) {
            sheet.denseRows();
        }
        return 0;
    }
    const qsizetype split = rest.indexOf('\0');
    QStringList strings;
    readSharedStrings(split < 0 ? QByteArray() : rest.mid(split + 1), strings, &error, limits);
    if (readSheetCells(split < 0 ? rest : rest.left(split), strings, sheet, &error, limits)) {
        sheet.denseRows();
    }
    return 0;
}
