// The station database's schema on a real server: migrating (a new database
// and one migrated to schema 3 before), refusing a newer schema, what the
// station and manager roles may do to whose rows, and a station's role trying
// to get out as an attacker would.
#include "PgTestStart.h"
#include "StationSchema.h"

#include <QTest>

namespace {
const char* kRecordA = "aaaaaaaa-0000-0000-0000-000000000001";
const char* kRecordB = "bbbbbbbb-0000-0000-0000-000000000001";
const char* kSessionA = "aaaaaaaa-5555-0000-0000-000000000001";
const char* kSessionB = "bbbbbbbb-5555-0000-0000-000000000001";
// The library: one standard in two versions and a shared set.
const char* kStandard = "dddddddd-0000-0000-0000-000000000001";
const char* kSharedSet = "eeeeeeee-0000-0000-0000-000000000001";
// The newest schema before definer code was made safe.
constexpr int kSchemaBeforeDefinerSafety = 3;

// One record with id, version, station and session given, placeholders elsewhere; then tail.
QByteArray insertRecord(const QByteArray& id, const QByteArray& version, const QByteArray& station,
                        const QByteArray& session = "NULL", const QByteArray& tail = QByteArray())
{
    return "INSERT INTO tintwell.records (id, version, station_id, session_id, test_name, model, serial_number,"
           " standard, legacy, standard_values, sample_values, pass, settings) VALUES (" + id + ", " + version + ", "
           + station + ", " + session + ", 'x', 'x', 'x', 'Lab 1 2 3', false, '{}', '{}', true, '{}')" + tail;
}
} // namespace

class TestStationSchema : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void migrateAgain_changesNothing();
    void newerSchema_migrateRefusesAndSaysSo();
    void migratedFromSchema3_keepsTheHourlySums();
    void definerCode_pinnedAndOwnedByNoSuperuser_data();
    void definerCode_pinnedAndOwnedByNoSuperuser();
    void rolesReachOnlyTheirRows_data();
    void rolesReachOnlyTheirRows();
    void stationAttacks_gainNothing_data();
    void stationAttacks_gainNothing();

private:
    // Station a's and b's sessions and one record each, written as the station.
    void fill(const QString& database);
    // One text of the server's answer, as the superuser.
    QString adminText(const QByteArray& sql, const QString& database);
    // Everything station b holds: its records and hourly sums.
    QString rowsOfB(const QString& database);

    PgTestCluster m_cluster;
    StationConfig m_a;
    StationConfig m_b;
    StationConfig m_manager;
    StationConfig m_editor;
    QString m_upgradedHoursBefore;
    QString m_upgradedHoursAfter;
};

QString TestStationSchema::adminText(const QByteArray& sql, const QString& database)
{
    PgConnection admin(m_cluster.admin(database));
    const PgResult r = admin.open() ? admin.exec(sql) : PgResult();
    return r.ok() && r.rows() == 1 ? r.text(0, 0) : QStringLiteral("(failed: %1)").arg(admin.errorText());
}

QString TestStationSchema::rowsOfB(const QString& database)
{
    return adminText("SELECT (SELECT string_agg(row_to_json(r)::text, ' ' ORDER BY r.id) FROM tintwell.records r"
                     " JOIN tintwell.stations s ON s.id = r.station_id WHERE s.db_role = 'station_b') || ' / ' ||"
                     " (SELECT string_agg(row_to_json(h)::text, ' ' ORDER BY h.standard, h.hour) FROM"
                     " tintwell.standard_hours h JOIN tintwell.stations s ON s.id = h.station_id"
                     " WHERE s.db_role = 'station_b')",
                     database);
}

void TestStationSchema::fill(const QString& database)
{
    for (const auto& [config, session, id] : {std::tuple{m_a, kSessionA, kRecordA}, std::tuple{m_b, kSessionB, kRecordB}}) {
        PgConnection c(m_cluster.as(config.user, config.password, database));
        QVERIFY2(c.open(), qPrintable(c.errorText()));
        QVERIFY2(c.exec("INSERT INTO tintwell.sessions (id, station_id) VALUES ($1, tintwell.current_station())",
                        {QByteArray(session)})
                     .ok(),
                 qPrintable(c.errorText()));
        const PgResult r = c.exec("INSERT INTO tintwell.records (id, version, station_id, session_id, measured_at,"
                                  " test_name, model, serial_number, standard, legacy, standard_values, sample_values,"
                                  " delta_e, pass, settings) VALUES ($1, 1, tintwell.current_station(), $2, now(),"
                                  " 'Comp1', 'TX450', 'S1', 'Lab 1 2 3', false, '{1,2,3}', '{1,2,NULL}', 0.5, true,"
                                  " '{}')",
                                  {QByteArray(id), QByteArray(session)});
        QVERIFY2(r.ok(), qPrintable(c.errorText()));
    }
}

void TestStationSchema::initTestCase()
{
    PG_TEST_CLUSTER_START(m_cluster);
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome first = StationSchema::migrate(admin);
    QVERIFY2(first.ok, qPrintable(first.error));
    QCOMPARE(first.before, 0);
    QCOMPARE(first.after, StationSchema::knownVersion());
    m_a = m_cluster.addStation(QStringLiteral("station_a"));
    m_b = m_cluster.addStation(QStringLiteral("station_b"));
    QString managerError;
    QVERIFY2(StationSchema::addManager(admin, QStringLiteral("manager"), QStringLiteral("pw-m"), &managerError),
             qPrintable(managerError));
    m_manager = m_cluster.as(QStringLiteral("manager"), QStringLiteral("pw-m"));
    QVERIFY2(StationSchema::addEditor(admin, QStringLiteral("editor"), QStringLiteral("pw-e"), &managerError),
             qPrintable(managerError));
    m_editor = m_cluster.as(QStringLiteral("editor"), QStringLiteral("pw-e"));
    fill(QStringLiteral("tintwell"));
    PgConnection editor(m_editor);
    QVERIFY2(editor.open(), qPrintable(editor.errorText()));
    for (const QByteArray& sql : {"INSERT INTO tintwell.tolerance_sets (id, name, limits) VALUES ('" + QByteArray(kSharedSet)
                                      + "', 'Strict', '[{\"quantity\": \"dE00\", \"high\": 1}]')",
                                  "INSERT INTO tintwell.standards (id, name, lab_l) VALUES ('" + QByteArray(kStandard)
                                      + "', 'Red 1', 40)",
                                  "INSERT INTO tintwell.standards (id, name, lab_l) VALUES ('" + QByteArray(kStandard)
                                      + "', 'Red 1', 41)",
                                  QByteArray("INSERT INTO tintwell.standards (id, name) VALUES (gen_random_uuid(), 'Green')")}) {
        QVERIFY2(editor.exec(sql).ok(), qPrintable(sql + ": " + editor.errorText().toUtf8()));
    }

    // A database that was at schema 3, with records, when this program came.
    const QString upgraded = QStringLiteral("upgraded");
    QCOMPARE(m_cluster.adminExec("CREATE DATABASE upgraded", QStringLiteral("postgres")), QString());
    PgConnection old(m_cluster.admin(upgraded));
    const MigrationOutcome toThree = StationSchema::migrate(old, kSchemaBeforeDefinerSafety);
    QVERIFY2(toThree.ok, qPrintable(toThree.error));
    QCOMPARE(toThree.after, kSchemaBeforeDefinerSafety);
    QCOMPARE(m_cluster.adminExec("INSERT INTO tintwell.stations (name, db_role) VALUES ('station_a', 'station_a'),"
                                 " ('station_b', 'station_b')",
                                 upgraded),
             QString());
    fill(upgraded);
    m_upgradedHoursBefore = adminText("SELECT string_agg(row_to_json(h)::text, ' ' ORDER BY h.station_id)"
                                      " FROM tintwell.standard_hours h", upgraded);
    const MigrationOutcome rest = StationSchema::migrate(old);
    QVERIFY2(rest.ok, qPrintable(rest.error));
    QCOMPARE(rest.before, kSchemaBeforeDefinerSafety);
    QCOMPARE(rest.after, StationSchema::knownVersion());
    m_upgradedHoursAfter = adminText("SELECT string_agg(row_to_json(h)::text, ' ' ORDER BY h.station_id)"
                                     " FROM tintwell.standard_hours h", upgraded);
}

void TestStationSchema::migrateAgain_changesNothing()
{
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome again = StationSchema::migrate(admin);
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(again.before, StationSchema::knownVersion());
    QCOMPARE(again.after, StationSchema::knownVersion());
    QCOMPARE(m_cluster.adminCount("SELECT count(*) FROM tintwell.schema_version"),
             qint64(StationSchema::migrations().size()));
}

void TestStationSchema::newerSchema_migrateRefusesAndSaysSo()
{
    const int newer = StationSchema::knownVersion() + 1;
    QCOMPARE(m_cluster.adminExec("INSERT INTO tintwell.schema_version (version, name) VALUES ("
                                 + QByteArray::number(newer) + ", 'from the future')"),
             QString());
    PgConnection admin(m_cluster.admin());
    const MigrationOutcome outcome = StationSchema::migrate(admin);
    QCOMPARE(m_cluster.adminExec("DELETE FROM tintwell.schema_version WHERE version = " + QByteArray::number(newer)),
             QString());
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.before, newer);
    QVERIFY2(outcome.error.contains(QStringLiteral("schema version %1, newer").arg(newer)), qPrintable(outcome.error));
    QVERIFY2(outcome.error.contains(admin.config().serverName()), qPrintable(outcome.error));
}

void TestStationSchema::migratedFromSchema3_keepsTheHourlySums()
{
    QVERIFY2(m_upgradedHoursBefore.contains(QStringLiteral("\"records\":1")), qPrintable(m_upgradedHoursBefore));
    QCOMPARE(m_upgradedHoursAfter, m_upgradedHoursBefore);
}

void TestStationSchema::definerCode_pinnedAndOwnedByNoSuperuser_data()
{
    QTest::addColumn<QString>("database");
    QTest::newRow("new database") << QStringLiteral("tintwell");
    QTest::newRow("migrated from schema 3") << QStringLiteral("upgraded");
}

void TestStationSchema::definerCode_pinnedAndOwnedByNoSuperuser()
{
    QFETCH(QString, database);
    // Each definer function and current_station(): owner (superuser? may log in?), path, and
    // whether PUBLIC may call it (no ACL: it may); then the schema's owner.
    const QString found = adminText(
        "SELECT string_agg(p.proname || ' ' || o.rolname || ' ' || o.rolsuper || ' ' || o.rolcanlogin || ' '"
        " || coalesce(array_to_string(p.proconfig, ';'), '-') || ' ' || coalesce((SELECT bool_or(a.grantee = 0)"
        " FROM aclexplode(p.proacl) a), true), ', ' ORDER BY p.proname) || ' | ' || (SELECT n.nspowner::regrole::text FROM"
        " pg_namespace n WHERE n.nspname = 'tintwell') FROM pg_proc p JOIN pg_roles o ON o.oid = p.proowner"
        " WHERE p.pronamespace = 'tintwell'::regnamespace AND (p.prosecdef OR p.proname = 'current_station')",
        database);
    const QString pinned = QStringLiteral(" tintwell_owner false false search_path=pg_catalog, tintwell, pg_temp false");
    QCOMPARE(found, QStringLiteral("current_station%1, library_new_version%1, standard_hours_add%1,"
                                   " standard_hours_recount%1 | tintwell_owner")
                        .arg(pinned));
}

void TestStationSchema::rolesReachOnlyTheirRows_data()
{
    QTest::addColumn<QString>("who");
    QTest::addColumn<QByteArray>("sql");
    // The rows the statement returned or changed (when the server takes it).
    QTest::addColumn<int>("rows");
    // The SQLSTATE of the server's refusal; empty: the server takes it.
    QTest::addColumn<QByteArray>("refusal");
    const QByteArray insertAsB =
        insertRecord("$1", "2", "(SELECT id FROM tintwell.stations WHERE db_role = 'station_b')");
    const auto insertInSession = [](const char* session) {
        return insertRecord("$1", "1", "tintwell.current_station()", "'" + QByteArray(session) + "'");
    };
    const QByteArray denied = "42501";
    QTest::newRow("a sees only its own") << "a" << QByteArray("SELECT id FROM tintwell.records") << 1 << QByteArray();
    QTest::newRow("a sees only its own hourly sums")
        << "a" << QByteArray("SELECT station_id FROM tintwell.standard_hours") << 1 << QByteArray();
    QTest::newRow("a writes a row as b") << "a" << insertAsB << 0 << denied;
    QTest::newRow("a files a record under its own session")
        << "a" << insertInSession(kSessionA) << 1 << QByteArray();
    QTest::newRow("a files a record under b's session")
        << "a" << insertInSession(kSessionB) << 0 << QByteArray("23503");
    QTest::newRow("a changes b's row: nothing to see") << "a"
        << QByteArray("UPDATE tintwell.records SET test_name = 'mine' WHERE id = 'bbbbbbbb-0000-0000-0000-000000000001'")
        << 0 << QByteArray();
    QTest::newRow("a moves its row to b") << "a"
        << QByteArray("UPDATE tintwell.records SET station_id = station_id + 1 WHERE id = 'aaaaaaaa-0000-0000-0000-000000000001'")
        << 0 << denied;
    QTest::newRow("a upserts over b's row") << "a"
        << insertRecord("'" + QByteArray(kRecordB) + "'", "9", "tintwell.current_station()", "NULL",
                        " ON CONFLICT (id) DO UPDATE SET version = 9")
        << 0 << denied;
    QTest::newRow("a deletes its own row") << "a"
        << QByteArray("DELETE FROM tintwell.records WHERE id = 'aaaaaaaa-0000-0000-0000-000000000001'") << 0 << denied;
    QTest::newRow("a registers a station") << "a"
        << QByteArray("INSERT INTO tintwell.stations (name, db_role) VALUES ('x', 'x')") << 0 << denied;
    QTest::newRow("a rewrites the schema version") << "a"
        << QByteArray("UPDATE tintwell.schema_version SET version = 99") << 0 << denied;
    QTest::newRow("manager sees every station") << "manager" << QByteArray("SELECT id FROM tintwell.records") << 2
                                                << QByteArray();
    QTest::newRow("manager sees every station's hourly sums")
        << "manager" << QByteArray("SELECT station_id FROM tintwell.standard_hours") << 2 << QByteArray();
    QTest::newRow("manager changes a row") << "manager"
        << QByteArray("UPDATE tintwell.records SET pass = false") << 0 << denied;

    // The library of standards: managers and editors add versions, nobody
    // changes or deletes one, stations only read.
    const QByteArray addStandard = "INSERT INTO tintwell.standards (id, name, tolerance_set) VALUES"
                                   " ($1, 'Blue 7', '" + QByteArray(kSharedSet) + "')";
    const QByteArray addSet = "INSERT INTO tintwell.tolerance_sets (id, name, limits) VALUES ($1, 'Loose', '[]')";
    QTest::newRow("a reads the library") << "a" << QByteArray("SELECT id FROM tintwell.standards WHERE current") << 2
                                         << QByteArray();
    QTest::newRow("a adds a standard") << "a" << addStandard << 0 << denied;
    QTest::newRow("a adds a set") << "a" << addSet << 0 << denied;
    QTest::newRow("a changes a standard") << "a" << QByteArray("UPDATE tintwell.standards SET lab_l = 1") << 0 << denied;
    QTest::newRow("a removes a standard") << "a" << QByteArray("DELETE FROM tintwell.standards") << 0 << denied;
    QTest::newRow("a calls the versioning code") << "a" << QByteArray("SELECT tintwell.library_new_version()") << 0
                                                 << denied;
    QTest::newRow("a becomes an editor") << "a" << QByteArray("SET ROLE tintwell_editor") << 0 << denied;
    QTest::newRow("a makes itself an editor") << "a" << QByteArray("GRANT tintwell_editor TO station_a") << 0
                                              << denied;
    QTest::newRow("manager adds a standard") << "manager" << addStandard << 1 << QByteArray();
    QTest::newRow("editor adds a set") << "editor" << addSet << 1 << QByteArray();
    QTest::newRow("editor adds a version of a standard")
        << "editor" << QByteArray("INSERT INTO tintwell.standards (id, name) VALUES ('" + QByteArray(kStandard)
                                  + "', 'Red 1, lighter') RETURNING version")
        << 1 << QByteArray();
    QTest::newRow("editor gives the version another wrote")
        << "editor" << QByteArray("INSERT INTO tintwell.standards (id, version, name) VALUES ('" + QByteArray(kStandard)
                                  + "', 2, 'Red 1')")
        << 0 << QByteArray("40001");
    QTest::newRow("editor takes a name in use, in other case")
        << "editor" << QByteArray("INSERT INTO tintwell.standards (id, name) VALUES ($1, 'RED 1')") << 0
        << QByteArray("23505");
    QTest::newRow("editor names a set that does not exist")
        << "editor" << QByteArray("INSERT INTO tintwell.standards (id, name, tolerance_set) VALUES ($1, 'Blue 8', $1)")
        << 0 << QByteArray("23503");
    QTest::newRow("editor rewrites a version") << "editor"
        << QByteArray("UPDATE tintwell.standards SET name = 'x'") << 0 << denied;
    QTest::newRow("manager deletes a version") << "manager" << QByteArray("DELETE FROM tintwell.tolerance_sets") << 0
                                               << denied;
    QTest::newRow("editor reads records") << "editor" << QByteArray("SELECT id FROM tintwell.records") << 0 << denied;
}

void TestStationSchema::rolesReachOnlyTheirRows()
{
    QFETCH(QString, who);
    QFETCH(QByteArray, sql);
    QFETCH(int, rows);
    QFETCH(QByteArray, refusal);
    PgConnection c(who == QLatin1String("a") ? m_a : who == QLatin1String("editor") ? m_editor : m_manager);
    QVERIFY2(c.open(), qPrintable(c.errorText()));
    const QList<PgParam> params = sql.contains("$1") ? QList<PgParam>{QByteArray("cccccccc-0000-0000-0000-000000000001")}
                                                     : QList<PgParam>{};
    QVERIFY(c.exec("BEGIN").ok());
    const PgResult r = c.exec(sql, params);
    c.rollback();
    if (!refusal.isEmpty()) {
        QVERIFY2(!r.ok(), "the server let it through");
        QVERIFY2(c.sqlState() == refusal, qPrintable(c.sqlState() + ' ' + c.errorText()));
        return;
    }
    QVERIFY2(r.ok(), qPrintable(c.errorText()));
    const int affected = sql.startsWith("SELECT") ? r.rows() : r.affectedRows();
    QCOMPARE(affected, rows);
}

// Station a, logged in with its own role, tries to become superuser and to
// change station b's rows. Every statement of an attack is taken (the ones
// that write a's own rows run the hourly sums' definer code); none gains a
// thing.
void TestStationSchema::stationAttacks_gainNothing_data()
{
    QTest::addColumn<QString>("database");
    // Run as the superuser first (what a DBA may have allowed).
    QTest::addColumn<QByteArray>("allowed");
    QTest::addColumn<QByteArrayList>("attack");
    // Run with the rights of whoever calls it: in definer code, the owner's.
    const QByteArray takeOver = "CREATE FUNCTION pg_temp.take_over() RETURNS %1 LANGUAGE plpgsql AS $f$ BEGIN"
                                " EXECUTE format('ALTER ROLE %I SUPERUSER', session_user);"
                                " DELETE FROM tintwell.records WHERE id = 'bbbbbbbb-0000-0000-0000-000000000001';"
                                " RETURN %2; END $f$";
    const QByteArray ownChange = "UPDATE tintwell.records SET version = version + 1, delta_e = 0.7"
                                 " WHERE id = 'aaaaaaaa-0000-0000-0000-000000000001'";
    const QByteArray ownInsert = insertRecord("gen_random_uuid()", "1", "tintwell.current_station()");
    const QByteArray onB = "UPDATE tintwell.records SET test_name = 'taken', version = version + 1"
                           " WHERE id = 'bbbbbbbb-0000-0000-0000-000000000001'";
    for (const QString& database : {QStringLiteral("tintwell"), QStringLiteral("upgraded")}) {
        const QByteArray in = " (" + database.toUtf8() + ")";
        QTest::newRow("temporary table of the name definer code used" + in)
            << database << QByteArray()
            << QByteArrayList{QByteArray(takeOver).replace("%1", "trigger").replace("%2", "NULL"),
                              "CREATE TEMPORARY TABLE touched_hours (standard text, hour timestamp, station_id integer)",
                              "CREATE TRIGGER take_over AFTER INSERT OR DELETE ON touched_hours FOR EACH STATEMENT"
                              " EXECUTE FUNCTION pg_temp.take_over()",
                              ownChange, ownInsert};
        QTest::newRow("temporary views named as the triggers' transition tables" + in)
            << database << QByteArray()
            << QByteArrayList{QByteArray(takeOver).replace("%1", "text").replace("%2", "'Lab 1 2 3'"),
                              "CREATE TEMPORARY VIEW inserted_rows AS SELECT * FROM tintwell.records"
                              " WHERE pg_temp.take_over() IS NOT NULL",
                              "CREATE TEMPORARY VIEW new_rows AS SELECT * FROM inserted_rows",
                              "CREATE TEMPORARY VIEW old_rows AS SELECT * FROM inserted_rows", ownChange, ownInsert};
        QTest::newRow("'=' shadowed, with CREATE on public" + in)
            << database << QByteArray("GRANT CREATE ON SCHEMA public TO PUBLIC")
            << QByteArrayList{"CREATE FUNCTION public.is_b(a name, b name) RETURNS boolean LANGUAGE sql IMMUTABLE"
                              " AS $f$ SELECT a OPERATOR(pg_catalog.=) 'station_b'::pg_catalog.name $f$",
                              "CREATE OPERATOR public.= (LEFTARG = name, RIGHTARG = name, FUNCTION = public.is_b)",
                              "SET search_path = public, pg_catalog", onB, ownChange, ownInsert};
        QTest::newRow("search_path with pg_temp first" + in)
            << database << QByteArray()
            << QByteArrayList{"CREATE TEMPORARY TABLE stations AS SELECT id, name, current_user::name AS db_role"
                              " FROM tintwell.stations",
                              "CREATE TEMPORARY TABLE standard_hours AS SELECT * FROM tintwell.standard_hours",
                              "SET search_path = pg_temp, tintwell, pg_catalog", onB, ownChange, ownInsert};
    }
}

void TestStationSchema::stationAttacks_gainNothing()
{
    QFETCH(QString, database);
    QFETCH(QByteArray, allowed);
    QFETCH(QByteArrayList, attack);
    const QString before = rowsOfB(database);
    QVERIFY2(before.contains(QLatin1String(kRecordB)), qPrintable(before));
    if (!allowed.isEmpty()) {
        QCOMPARE(m_cluster.adminExec(allowed, database), QString());
    }
    {
        PgConnection c(m_cluster.as(m_a.user, m_a.password, database));
        QVERIFY2(c.open(), qPrintable(c.errorText()));
        for (const QByteArray& statement : attack) {
            QVERIFY2(c.exec(statement).ok(), qPrintable(statement + ": " + c.errorText().toUtf8()));
        }
    }
    const QString super = adminText("SELECT rolsuper::text FROM pg_roles WHERE rolname = 'station_a'", database);
    const QString after = rowsOfB(database);
    // Undone before judging, so one attack that got through does not spoil the next.
    QCOMPARE(m_cluster.adminExec("ALTER ROLE station_a NOSUPERUSER; REVOKE CREATE ON SCHEMA public FROM PUBLIC;"
                                 " DROP OPERATOR IF EXISTS public.= (name, name);"
                                 " DROP FUNCTION IF EXISTS public.is_b(name, name)",
                                 database),
             QString());
    QCOMPARE(super, QStringLiteral("false"));
    QCOMPARE(after, before);
}

QTEST_GUILESS_MAIN(TestStationSchema)
#include "tst_station_schema.moc"
