#pragma once
// Starting the throw-away cluster from a test slot.

#include "PgTestCluster.h"
#include "StationSchema.h"

#include <QTest>

// In a test slot: starts the cluster, skipping when PostgreSQL is not installed
// and failing when it is and does not start.
#define PG_TEST_CLUSTER_START(cluster)                                                                             \
    do {                                                                                                           \
        QString pgSkip_;                                                                                           \
        QString pgError_;                                                                                          \
        if (!(cluster).start(&pgSkip_, &pgError_)) {                                                               \
            if (!pgSkip_.isEmpty())                                                                                \
                QSKIP(qPrintable(pgSkip_));                                                                        \
            QFAIL(qPrintable(pgError_));                                                                           \
        }                                                                                                          \
    } while (false)

// Starts the cluster as above and brings its schema to the version this build knows.
#define PG_TEST_CLUSTER_START_MIGRATED(cluster)                                                                    \
    do {                                                                                                           \
        PG_TEST_CLUSTER_START(cluster);                                                                            \
        PgConnection pgAdmin_((cluster).admin());                                                                  \
        const MigrationOutcome pgMigrated_ = StationSchema::migrate(pgAdmin_);                                     \
        QVERIFY2(pgMigrated_.ok, qPrintable(pgMigrated_.error));                                                   \
    } while (false)
