// Writes the export template "template.xlsx" at the path given.
#include "BlankWorkbook.h"
#include "XlsxArchive.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: tintwell_make_template <path>\n");
        return 2;
    }
    QString error;
    if (!writeXlsxArchive(QString::fromLocal8Bit(argv[1]), blankWorkbookParts(), {}, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
