// Test helper: appends comparison records to the journal at argv[1] for ever,
// printing "shown <id> <n>" once each record is committed, as the table shows a
// record only after the journal holds it. The test kills it with SIGKILL.
#include "RecordJournal.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return 2;
    }
    RecordJournal journal(QString::fromLocal8Bit(argv[1]));
    if (!journal.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
        return 1;
    }
    journal.setSessionInfo(QStringLiteral("TX310"), 0);
    for (int n = 1;; ++n) {
        ComparisonRecord record;
        record.id = QUuid::createUuid();
        record.sequence = n;
        record.testName = QStringLiteral("Comp%1").arg(n);
        record.standard[ComparisonRecord::Haze] = n / 100.0;
        if (!journal.append({record}, n)) {
            return 1;
        }
        std::printf("shown %s %d\n", qPrintable(record.id.toString(QUuid::WithoutBraces)), n);
        std::fflush(stdout);
    }
}
