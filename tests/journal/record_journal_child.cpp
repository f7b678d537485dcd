// Test helper, a process without a window.
//   record_journal_child <path>: appends comparison records to the journal for
//     ever, printing "shown <id> <n>" once each record is committed, as the
//     table shows a record only after the journal holds it. The test kills it
//     with SIGKILL.
//   record_journal_child convert <path>: opens the journal (converting one of
//     the former format) and prints "converted <n>".
#include "RecordJournal.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "convert") {
        RecordJournal journal(QString::fromLocal8Bit(argv[2]));
        if (!journal.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(journal.errorText()));
            return 1;
        }
        std::printf("converted %d\n", journal.convertedRows());
        return 0;
    }
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
