// Test helper: appends comparison rows to the journal at argv[1] for ever,
// printing "shown <id>" once each row is committed, as the table shows a row
// only after the journal holds it. The test kills it with SIGKILL.
#include "ComparisonJournal.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    ComparisonJournal journal(QString::fromLocal8Bit(argv[1]));
    if (!journal.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
        return 1;
    }
    journal.setSessionInfo(QStringLiteral("TX310"), 0);
    for (int n = 0;; ++n) {
        const qint64 id = journal.appendRow(QByteArray("row ") + QByteArray::number(n));
        if (id == 0) {
            return 1;
        }
        std::printf("shown %lld %d\n", static_cast<long long>(id), n);
        std::fflush(stdout);
    }
}
