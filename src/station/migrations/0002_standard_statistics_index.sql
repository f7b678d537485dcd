-- The statistics of one standard over a time range are read from the index
-- alone (an index-only scan), without visiting a million table rows.
DROP INDEX tintwell.records_standard_time;
CREATE INDEX records_standard_time ON tintwell.records (standard, measured_at)
    INCLUDE (delta_e, haze_difference, transmittance_difference, pass, deleted, station_id);
