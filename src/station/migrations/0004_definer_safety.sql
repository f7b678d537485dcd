-- No station role gains more than its own rows.
--
-- The schema, its tables and its functions belong to tintwell_owner, a role
-- that cannot log in and is no superuser, so code that runs with the owner's
-- rights (the hourly sums' triggers) can do no more than the schema's owner.
-- Every function runs with a fixed search_path, pg_temp last, and definer
-- code looks up no temporary object by name: a station's own temporary
-- table, view or operator can no longer stand in for ours. Objects made by
-- later migrations are given to tintwell_owner as well.

DO $owner$
DECLARE
    super boolean;
BEGIN
    SELECT rolsuper INTO super FROM pg_catalog.pg_roles WHERE rolname = 'tintwell_owner';
    IF NOT FOUND THEN
        CREATE ROLE tintwell_owner NOLOGIN;
    ELSIF super THEN
        RAISE EXCEPTION 'the role tintwell_owner is a superuser; the station schema is not given to it';
    END IF;
    -- A migrating role that is no superuser must be able to hand its objects
    -- over, and to migrate again later.
    IF NOT (SELECT rolsuper FROM pg_catalog.pg_roles WHERE rolname = CURRENT_USER) THEN
        EXECUTE pg_catalog.format('GRANT tintwell_owner TO %I', CURRENT_USER);
    END IF;
END
$owner$;

-- The station of the role that is logged in; NULL for any other role. With
-- its own search_path a station cannot shadow '=' (with CREATE on some
-- schema) and so pass for another station in every row-level policy.
CREATE OR REPLACE FUNCTION tintwell.current_station() RETURNS integer
    LANGUAGE sql STABLE
    SET search_path = pg_catalog, tintwell, pg_temp
    AS $$ SELECT s.id FROM tintwell.stations s WHERE s.db_role OPERATOR(pg_catalog.=) CURRENT_USER $$;

CREATE OR REPLACE FUNCTION tintwell.record_hour(measured_at timestamptz) RETURNS timestamp
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT coalesce(pg_catalog.date_trunc('hour', pg_catalog.timezone('UTC', measured_at)),
                          '-infinity'::pg_catalog.timestamp) $$;

CREATE OR REPLACE FUNCTION tintwell.standard_hours_add() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, tintwell, pg_temp
    AS $$
BEGIN
    INSERT INTO tintwell.standard_hours AS h
    SELECT i.standard, tintwell.record_hour(i.measured_at), i.station_id, count(*), count(*) FILTER (WHERE i.pass),
           count(i.delta_e), coalesce(sum(i.delta_e), 0), coalesce(sum(i.delta_e * i.delta_e), 0),
           min(i.delta_e), max(i.delta_e), count(i.haze_difference), coalesce(sum(i.haze_difference), 0),
           count(i.transmittance_difference), coalesce(sum(i.transmittance_difference), 0)
    FROM inserted_rows i WHERE NOT i.deleted
    GROUP BY 1, 2, 3 ORDER BY 1, 2, 3
    ON CONFLICT (standard, hour, station_id) DO UPDATE SET
        records = h.records + EXCLUDED.records, passed = h.passed + EXCLUDED.passed,
        delta_e_count = h.delta_e_count + EXCLUDED.delta_e_count,
        delta_e_sum = h.delta_e_sum + EXCLUDED.delta_e_sum,
        delta_e_squares = h.delta_e_squares + EXCLUDED.delta_e_squares,
        delta_e_min = least(h.delta_e_min, EXCLUDED.delta_e_min),
        delta_e_max = greatest(h.delta_e_max, EXCLUDED.delta_e_max),
        haze_count = h.haze_count + EXCLUDED.haze_count, haze_sum = h.haze_sum + EXCLUDED.haze_sum,
        transmittance_count = h.transmittance_count + EXCLUDED.transmittance_count,
        transmittance_sum = h.transmittance_sum + EXCLUDED.transmittance_sum;
    RETURN NULL;
END
$$;

-- Counts the hours a change touched again from the records (a minimum
-- cannot be taken back by subtracting). The touched hours come from the
-- trigger's own transition tables, in a CTE of each statement: formerly a
-- temporary table looked up by name, which a station could create first
-- with a trigger of its own that then ran with the owner's rights.
CREATE OR REPLACE FUNCTION tintwell.standard_hours_recount() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, tintwell, pg_temp
    AS $$
BEGIN
    WITH touched AS (
        SELECT o.standard, tintwell.record_hour(o.measured_at) AS hour, o.station_id FROM old_rows o
        UNION SELECT n.standard, tintwell.record_hour(n.measured_at), n.station_id FROM new_rows n)
    DELETE FROM tintwell.standard_hours h USING touched t
    WHERE h.standard = t.standard AND h.hour = t.hour AND h.station_id = t.station_id;
    WITH touched AS (
        SELECT o.standard, tintwell.record_hour(o.measured_at) AS hour, o.station_id FROM old_rows o
        UNION SELECT n.standard, tintwell.record_hour(n.measured_at), n.station_id FROM new_rows n)
    INSERT INTO tintwell.standard_hours
    SELECT r.standard, t.hour, r.station_id, count(*), count(*) FILTER (WHERE r.pass),
           count(r.delta_e), coalesce(sum(r.delta_e), 0), coalesce(sum(r.delta_e * r.delta_e), 0),
           min(r.delta_e), max(r.delta_e), count(r.haze_difference), coalesce(sum(r.haze_difference), 0),
           count(r.transmittance_difference), coalesce(sum(r.transmittance_difference), 0)
    FROM touched t
    JOIN tintwell.records r ON r.standard = t.standard AND r.station_id = t.station_id
         AND tintwell.record_hour(r.measured_at) = t.hour
         AND ((t.hour = '-infinity' AND r.measured_at IS NULL)
              OR (r.measured_at >= pg_catalog.timezone('UTC', t.hour)
                  AND r.measured_at < pg_catalog.timezone('UTC', t.hour + interval '1 hour')))
    WHERE NOT r.deleted
    GROUP BY r.standard, t.hour, r.station_id;
    RETURN NULL;
END
$$;

-- Called only by the server (triggers) or by the roles granted it.
REVOKE EXECUTE ON FUNCTION tintwell.current_station(), tintwell.record_hour(timestamptz),
    tintwell.standard_hours_add(), tintwell.standard_hours_recount() FROM PUBLIC;

ALTER SCHEMA tintwell OWNER TO tintwell_owner;
ALTER TABLE tintwell.schema_version OWNER TO tintwell_owner;
ALTER TABLE tintwell.stations OWNER TO tintwell_owner;
ALTER TABLE tintwell.sessions OWNER TO tintwell_owner;
ALTER TABLE tintwell.records OWNER TO tintwell_owner;
ALTER TABLE tintwell.standard_hours OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.current_station() OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.record_hour(timestamptz) OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.standard_hours_add() OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.standard_hours_recount() OWNER TO tintwell_owner;

-- The hourly sums are a station's own, as its records are. The station is
-- looked up once per statement, not once per row.
ALTER TABLE tintwell.standard_hours ENABLE ROW LEVEL SECURITY;
CREATE POLICY station_own_hours ON tintwell.standard_hours FOR SELECT TO tintwell_station
    USING (station_id = (SELECT tintwell.current_station()));
CREATE POLICY manager_reads_hours ON tintwell.standard_hours FOR SELECT TO tintwell_manager USING (true);
ALTER POLICY station_own_sessions ON tintwell.sessions
    USING (station_id = (SELECT tintwell.current_station()))
    WITH CHECK (station_id = (SELECT tintwell.current_station()));
ALTER POLICY station_own_records ON tintwell.records
    USING (station_id = (SELECT tintwell.current_station()))
    WITH CHECK (station_id = (SELECT tintwell.current_station()));

-- A record is filed under a session of its own station: the foreign key
-- checks the pair (a key check does not see row-level security, so the
-- session's id alone let a station name another station's session).
ALTER TABLE tintwell.sessions ADD CONSTRAINT sessions_id_station UNIQUE (id, station_id);
ALTER TABLE tintwell.records ADD CONSTRAINT records_session_station
    FOREIGN KEY (session_id, station_id) REFERENCES tintwell.sessions (id, station_id) NOT VALID;
ALTER TABLE tintwell.records DROP CONSTRAINT IF EXISTS records_session_id_fkey;
-- Records already filed under another station's session keep it (nothing is
-- lost); every new or changed record is checked.
DO $validate$
BEGIN
    IF NOT EXISTS (SELECT FROM tintwell.records r JOIN tintwell.sessions s ON s.id OPERATOR(pg_catalog.=) r.session_id
                   WHERE s.station_id OPERATOR(pg_catalog.<>) r.station_id) THEN
        ALTER TABLE tintwell.records VALIDATE CONSTRAINT records_session_station;
    ELSE
        RAISE WARNING 'some records name a session of another station; they are kept as they are';
    END IF;
END
$validate$;
