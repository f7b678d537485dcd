-- Running sums of every station's records per standard and hour (UTC), kept
-- by triggers as records arrive and change, so the statistics of a standard
-- over a long time read a few thousand sums instead of a million rows.
-- Records without a time count under the hour '-infinity'. Deleted records
-- are not counted.
CREATE TABLE tintwell.standard_hours (
    standard                  text NOT NULL,
    hour                      timestamp NOT NULL,
    station_id                integer NOT NULL REFERENCES tintwell.stations (id),
    records                   bigint NOT NULL,
    passed                    bigint NOT NULL,
    delta_e_count             bigint NOT NULL,
    delta_e_sum               double precision NOT NULL,
    delta_e_squares           double precision NOT NULL,
    delta_e_min               double precision,
    delta_e_max               double precision,
    haze_count                bigint NOT NULL,
    haze_sum                  double precision NOT NULL,
    transmittance_count       bigint NOT NULL,
    transmittance_sum         double precision NOT NULL,
    PRIMARY KEY (standard, hour, station_id)
);
GRANT SELECT ON tintwell.standard_hours TO tintwell_station, tintwell_manager;

CREATE FUNCTION tintwell.record_hour(measured_at timestamptz) RETURNS timestamp
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT coalesce(date_trunc('hour', measured_at AT TIME ZONE 'UTC'), '-infinity'::timestamp) $$;

-- Adds rows just inserted (or not yet counted) to their hours.
CREATE FUNCTION tintwell.standard_hours_add() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, tintwell
    AS $$
BEGIN
    INSERT INTO tintwell.standard_hours AS h
    SELECT standard, tintwell.record_hour(measured_at), station_id, count(*), count(*) FILTER (WHERE pass),
           count(delta_e), coalesce(sum(delta_e), 0), coalesce(sum(delta_e * delta_e), 0),
           min(delta_e), max(delta_e), count(haze_difference), coalesce(sum(haze_difference), 0),
           count(transmittance_difference), coalesce(sum(transmittance_difference), 0)
    FROM inserted_rows WHERE NOT deleted
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
-- cannot be taken back by subtracting).
CREATE FUNCTION tintwell.standard_hours_recount() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, tintwell
    AS $$
BEGIN
    CREATE TEMPORARY TABLE IF NOT EXISTS touched_hours (standard text, hour timestamp, station_id integer)
        ON COMMIT DROP;
    TRUNCATE touched_hours;
    INSERT INTO touched_hours
    SELECT standard, tintwell.record_hour(measured_at), station_id FROM old_rows
    UNION SELECT standard, tintwell.record_hour(measured_at), station_id FROM new_rows;
    DELETE FROM tintwell.standard_hours h USING touched_hours t
    WHERE h.standard = t.standard AND h.hour = t.hour AND h.station_id = t.station_id;
    INSERT INTO tintwell.standard_hours
    SELECT r.standard, t.hour, r.station_id, count(*), count(*) FILTER (WHERE r.pass),
           count(r.delta_e), coalesce(sum(r.delta_e), 0), coalesce(sum(r.delta_e * r.delta_e), 0),
           min(r.delta_e), max(r.delta_e), count(r.haze_difference), coalesce(sum(r.haze_difference), 0),
           count(r.transmittance_difference), coalesce(sum(r.transmittance_difference), 0)
    FROM touched_hours t
    JOIN tintwell.records r ON r.standard = t.standard AND r.station_id = t.station_id
         AND tintwell.record_hour(r.measured_at) = t.hour
         AND ((t.hour = '-infinity' AND r.measured_at IS NULL)
              OR (r.measured_at >= t.hour AT TIME ZONE 'UTC'
                  AND r.measured_at < (t.hour + interval '1 hour') AT TIME ZONE 'UTC'))
    WHERE NOT r.deleted
    GROUP BY r.standard, t.hour, r.station_id;
    RETURN NULL;
END
$$;

CREATE TRIGGER standard_hours_insert AFTER INSERT ON tintwell.records
    REFERENCING NEW TABLE AS inserted_rows FOR EACH STATEMENT EXECUTE FUNCTION tintwell.standard_hours_add();
CREATE TRIGGER standard_hours_update AFTER UPDATE ON tintwell.records
    REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows
    FOR EACH STATEMENT EXECUTE FUNCTION tintwell.standard_hours_recount();

-- Records already on the server.
INSERT INTO tintwell.standard_hours
SELECT standard, tintwell.record_hour(measured_at), station_id, count(*), count(*) FILTER (WHERE pass),
       count(delta_e), coalesce(sum(delta_e), 0), coalesce(sum(delta_e * delta_e), 0),
       min(delta_e), max(delta_e), count(haze_difference), coalesce(sum(haze_difference), 0),
       count(transmittance_difference), coalesce(sum(transmittance_difference), 0)
FROM tintwell.records WHERE NOT deleted GROUP BY 1, 2, 3;
