-- Stations, their sessions and every comparison record they send, with a
-- role per station that may write only its own rows and a read-only role for
-- managers. Applied once, in one transaction, by the station library's
-- migrator, which records it in tintwell.schema_version.

DO $roles$
BEGIN
    -- Roles belong to the whole server: create them only where missing.
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'tintwell_station') THEN
        CREATE ROLE tintwell_station NOLOGIN;
    END IF;
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'tintwell_manager') THEN
        CREATE ROLE tintwell_manager NOLOGIN;
    END IF;
END
$roles$;

CREATE TABLE tintwell.stations (
    id         integer GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
    name       text NOT NULL UNIQUE CHECK (name <> ''),
    -- The login role the station writes as; one role, one station.
    db_role    name NOT NULL UNIQUE,
    created_at timestamptz NOT NULL DEFAULT now()
);

-- The station of the role that is logged in; NULL for any other role.
CREATE FUNCTION tintwell.current_station() RETURNS integer
    LANGUAGE sql STABLE
    AS $$ SELECT id FROM tintwell.stations WHERE db_role = current_user $$;

-- One run of a station's sender: when, from which computer and program.
CREATE TABLE tintwell.sessions (
    id              uuid PRIMARY KEY,
    station_id      integer NOT NULL REFERENCES tintwell.stations (id),
    started_at      timestamptz NOT NULL DEFAULT now(),
    host            text NOT NULL DEFAULT '',
    program_version text NOT NULL DEFAULT ''
);

-- One row per comparison, keyed by the id the station made; version rises
-- with every change (rename, re-judging, deletion) and only a newer version
-- replaces a row. Values never measured are NULL.
CREATE TABLE tintwell.records (
    id                       uuid PRIMARY KEY,
    version                  bigint NOT NULL CHECK (version >= 1),
    station_id               integer NOT NULL REFERENCES tintwell.stations (id),
    session_id               uuid REFERENCES tintwell.sessions (id),
    -- The order the server first received records in.
    arrival                  bigint GENERATED ALWAYS AS IDENTITY,
    measured_at              timestamptz,  -- NULL: the station did not know when
    test_name                text NOT NULL,
    model                    text NOT NULL,
    serial_number            text NOT NULL,
    -- The standard the sample was compared with, as the station names it.
    standard                 text NOT NULL,
    legacy                   boolean NOT NULL,
    sequence                 double precision,
    standard_values          double precision[] NOT NULL,
    sample_values            double precision[] NOT NULL,
    haze_difference          double precision,
    transmittance_difference double precision,
    delta_e                  double precision,
    pass                     boolean NOT NULL,
    settings                 jsonb NOT NULL,
    deleted                  boolean NOT NULL DEFAULT false,
    changed_at               timestamptz NOT NULL DEFAULT now()
);
CREATE INDEX records_station_time ON tintwell.records (station_id, measured_at);
CREATE INDEX records_standard_time ON tintwell.records (standard, measured_at);
CREATE INDEX records_time ON tintwell.records (measured_at);

GRANT USAGE ON SCHEMA tintwell TO tintwell_station, tintwell_manager;
GRANT SELECT ON tintwell.schema_version, tintwell.stations TO tintwell_station, tintwell_manager;
GRANT SELECT, INSERT, UPDATE ON tintwell.sessions, tintwell.records TO tintwell_station;
GRANT SELECT ON tintwell.sessions, tintwell.records TO tintwell_manager;
GRANT EXECUTE ON FUNCTION tintwell.current_station() TO tintwell_station, tintwell_manager;

-- A station sees, adds and changes only its own rows; a change of another
-- station's row is an error, not a silent no-op, for INSERT ... ON CONFLICT.
ALTER TABLE tintwell.sessions ENABLE ROW LEVEL SECURITY;
ALTER TABLE tintwell.records ENABLE ROW LEVEL SECURITY;
CREATE POLICY station_own_sessions ON tintwell.sessions TO tintwell_station
    USING (station_id = tintwell.current_station())
    WITH CHECK (station_id = tintwell.current_station());
CREATE POLICY station_own_records ON tintwell.records TO tintwell_station
    USING (station_id = tintwell.current_station())
    WITH CHECK (station_id = tintwell.current_station());
CREATE POLICY manager_reads_sessions ON tintwell.sessions FOR SELECT TO tintwell_manager USING (true);
CREATE POLICY manager_reads_records ON tintwell.records FOR SELECT TO tintwell_manager USING (true);
