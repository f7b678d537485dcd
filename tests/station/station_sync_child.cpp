// Test helper: sends the records of the outbox at argv[1] to the station
// database (socket folder argv[2], role argv[3], password argv[4]) and, once
// the server has committed the first batch, prints "committed <n>" and stops
// dead before the acknowledgement is journaled. The test kills it there.
#include "FileOutbox.h"
#include "SyncWorker.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        return 2;
    }
    FileOutbox outbox(QString::fromLocal8Bit(argv[1]));
    StationConfig config;
    config.host = QString::fromLocal8Bit(argv[2]);
    config.database = QStringLiteral("tintwell");
    config.user = QString::fromLocal8Bit(argv[3]);
    config.password = QString::fromLocal8Bit(argv[4]);
    SyncOptions options;
    options.batchSize = 100;
    options.afterCommit = [](const QList<OutboxKey>& keys) {
        std::printf("committed %d\n", int(keys.size()));
        std::fflush(stdout);
        QThread::sleep(60);
    };
    SyncWorker worker(config, &outbox, options);
    QObject::connect(&worker, &SyncWorker::stateChanged, [](SyncWorker::State, const QString& message) {
        if (!message.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
        }
    });
    worker.start();
    return app.exec();
}
