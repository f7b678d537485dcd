-- The library of standards and their tolerance sets, shared by every
-- station. Every edit is a new version; no version is ever changed or
-- removed, so a record names the version it was judged with and that
-- version stays readable. Managers and editors add versions (INSERT only,
-- numbered by the server); stations only read, and keep a copy of their
-- own. A change NOTIFYs tintwell_standards with the library's revision.
--
-- Definer code follows the rules of schema 4: owned by tintwell_owner, a
-- fixed search_path with pg_temp last, operators qualified, no object
-- looked up in a schema a caller may create in, EXECUTE revoked from PUBLIC.

DO $roles$
BEGIN
    -- Edits the library, sees no records.
    IF NOT EXISTS (SELECT FROM pg_catalog.pg_roles WHERE rolname OPERATOR(pg_catalog.=) 'tintwell_editor') THEN
        CREATE ROLE tintwell_editor NOLOGIN;
    END IF;
END
$roles$;

-- Rises with every version of a standard or a set, in the order the edits
-- committed (edits of the library are serialised): a station asks for
-- what is newer than the revision it copied last.
CREATE SEQUENCE tintwell.library_revision AS bigint;

-- Limits as the program writes them: a JSON array of
-- {"quantity": "dE00", "low": null, "high": 1.0, "decides": true}.
-- name: empty for a standard's own set; a named set is shared.
CREATE TABLE tintwell.tolerance_sets (
    id           uuid NOT NULL,
    version      bigint NOT NULL CHECK (version >= 1),
    name         text NOT NULL DEFAULT '',
    limits       jsonb NOT NULL CHECK (pg_catalog.jsonb_typeof(limits) = 'array'),
    warn_percent double precision NOT NULL DEFAULT 0 CHECK (warn_percent >= 0 AND warn_percent < 100),
    removed      boolean NOT NULL DEFAULT false,
    -- Kept by the server: the newest version of its set.
    current      boolean NOT NULL DEFAULT true,
    revision     bigint NOT NULL,
    changed_at   timestamptz NOT NULL DEFAULT now(),
    changed_by   name NOT NULL DEFAULT session_user,
    PRIMARY KEY (id, version)
);
CREATE UNIQUE INDEX tolerance_sets_current_name ON tintwell.tolerance_sets (pg_catalog.lower(name))
    WHERE current AND NOT removed AND name <> '';
CREATE INDEX tolerance_sets_revision ON tintwell.tolerance_sets (revision);

-- Values never measured are NULL. origin: where the values came from,
-- {"kind": "measured", "model": ..., "serial": ..., "time": ...},
-- {"kind": "file", "path": ...} or {"kind": "typed"}.
CREATE TABLE tintwell.standards (
    id            uuid NOT NULL,
    version       bigint NOT NULL CHECK (version >= 1),
    name          text NOT NULL CHECK (pg_catalog.btrim(name) <> ''),
    code          text NOT NULL DEFAULT '',
    lab_l         double precision,
    lab_a         double precision,
    lab_b         double precision,
    haze          double precision,
    transmittance double precision,
    spectrum      double precision[] CHECK (spectrum IS NULL OR pg_catalog.cardinality(spectrum) = 31),
    origin        jsonb NOT NULL DEFAULT '{}',
    note          text NOT NULL DEFAULT '',
    tolerance_set uuid,
    removed       boolean NOT NULL DEFAULT false,
    current       boolean NOT NULL DEFAULT true,
    revision      bigint NOT NULL,
    changed_at    timestamptz NOT NULL DEFAULT now(),
    changed_by    name NOT NULL DEFAULT session_user,
    PRIMARY KEY (id, version)
);
-- A name is unique among the standards in use, whatever its case.
CREATE UNIQUE INDEX standards_current_name ON tintwell.standards (pg_catalog.lower(name))
    WHERE current AND NOT removed;
CREATE INDEX standards_code ON tintwell.standards (code) WHERE current AND NOT removed AND code <> '';
CREATE INDEX standards_revision ON tintwell.standards (revision);

-- Numbers a new version (one more than the newest; a version given by the
-- editor must be exactly that, or someone else edited first), stamps it,
-- and marks the previous version as no longer current. Runs with the
-- owner's rights: editors may only INSERT.
CREATE FUNCTION tintwell.library_new_version() RETURNS trigger
    LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, tintwell, pg_temp
    AS $$
DECLARE
    newest bigint;
BEGIN
    -- One edit of the library at a time: revisions then follow the order of
    -- the commits, and a station that copied up to revision N missed nothing
    -- below it.
    PERFORM pg_catalog.pg_advisory_xact_lock(7311905);
    IF TG_TABLE_NAME OPERATOR(pg_catalog.=) 'standards' THEN
        SELECT max(s.version) INTO newest FROM tintwell.standards s WHERE s.id OPERATOR(pg_catalog.=) NEW.id;
        IF NEW.tolerance_set IS NOT NULL AND NOT EXISTS (
                SELECT FROM tintwell.tolerance_sets t WHERE t.id OPERATOR(pg_catalog.=) NEW.tolerance_set) THEN
            RAISE EXCEPTION 'no tolerance set %', NEW.tolerance_set USING ERRCODE = 'foreign_key_violation';
        END IF;
        UPDATE tintwell.standards s SET current = false
        WHERE s.id OPERATOR(pg_catalog.=) NEW.id AND s.current;
    ELSE
        SELECT max(t.version) INTO newest FROM tintwell.tolerance_sets t WHERE t.id OPERATOR(pg_catalog.=) NEW.id;
        UPDATE tintwell.tolerance_sets t SET current = false
        WHERE t.id OPERATOR(pg_catalog.=) NEW.id AND t.current;
    END IF;
    newest := coalesce(newest, 0);
    IF NEW.version IS NOT NULL AND NEW.version OPERATOR(pg_catalog.<>) (newest OPERATOR(pg_catalog.+) 1) THEN
        RAISE EXCEPTION 'version % of % cannot be written: someone else changed it meanwhile (its newest version is %)',
            NEW.version, NEW.id, newest USING ERRCODE = 'serialization_failure';
    END IF;
    NEW.version := newest OPERATOR(pg_catalog.+) 1;
    NEW.current := true;
    NEW.revision := pg_catalog.nextval('tintwell.library_revision'::pg_catalog.regclass);
    NEW.changed_at := pg_catalog.now();
    NEW.changed_by := SESSION_USER;
    RETURN NEW;
END
$$;

-- Tells the listening stations the library's new revision, at commit.
CREATE FUNCTION tintwell.library_notify() RETURNS trigger
    LANGUAGE plpgsql SET search_path = pg_catalog, tintwell, pg_temp
    AS $$
BEGIN
    PERFORM pg_catalog.pg_notify('tintwell_standards',
        (SELECT max(n.revision) FROM new_rows n)::pg_catalog.text);
    RETURN NULL;
END
$$;

CREATE TRIGGER standards_new_version BEFORE INSERT ON tintwell.standards
    FOR EACH ROW EXECUTE FUNCTION tintwell.library_new_version();
CREATE TRIGGER tolerance_sets_new_version BEFORE INSERT ON tintwell.tolerance_sets
    FOR EACH ROW EXECUTE FUNCTION tintwell.library_new_version();
CREATE TRIGGER standards_notify AFTER INSERT ON tintwell.standards
    REFERENCING NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION tintwell.library_notify();
CREATE TRIGGER tolerance_sets_notify AFTER INSERT ON tintwell.tolerance_sets
    REFERENCING NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION tintwell.library_notify();

REVOKE EXECUTE ON FUNCTION tintwell.library_new_version(), tintwell.library_notify() FROM PUBLIC;

GRANT USAGE ON SCHEMA tintwell TO tintwell_editor;
GRANT SELECT ON tintwell.schema_version TO tintwell_editor;
GRANT SELECT ON tintwell.standards, tintwell.tolerance_sets TO tintwell_station, tintwell_manager, tintwell_editor;
GRANT INSERT ON tintwell.standards, tintwell.tolerance_sets TO tintwell_manager, tintwell_editor;

-- Row-level security as well as the grants: a role given more rights on
-- the tables by mistake still only reads.
ALTER TABLE tintwell.standards ENABLE ROW LEVEL SECURITY;
ALTER TABLE tintwell.tolerance_sets ENABLE ROW LEVEL SECURITY;
CREATE POLICY library_read ON tintwell.standards FOR SELECT
    TO tintwell_station, tintwell_manager, tintwell_editor USING (true);
CREATE POLICY library_edit ON tintwell.standards FOR INSERT TO tintwell_manager, tintwell_editor WITH CHECK (true);
CREATE POLICY library_read ON tintwell.tolerance_sets FOR SELECT
    TO tintwell_station, tintwell_manager, tintwell_editor USING (true);
CREATE POLICY library_edit ON tintwell.tolerance_sets FOR INSERT TO tintwell_manager, tintwell_editor WITH CHECK (true);

ALTER SEQUENCE tintwell.library_revision OWNER TO tintwell_owner;
ALTER TABLE tintwell.standards OWNER TO tintwell_owner;
ALTER TABLE tintwell.tolerance_sets OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.library_new_version() OWNER TO tintwell_owner;
ALTER FUNCTION tintwell.library_notify() OWNER TO tintwell_owner;

-- A record judged with a library standard names it, the version and the
-- tolerance set in force, and whether it passed with a warning and which
-- limit decided or warned. NULL for records judged without the library.
ALTER TABLE tintwell.records
    ADD COLUMN library_standard_id uuid,
    ADD COLUMN library_standard_version bigint,
    ADD COLUMN tolerance_set_id uuid,
    ADD COLUMN tolerance_set_version bigint,
    ADD COLUMN warning boolean NOT NULL DEFAULT false,
    ADD COLUMN decided_by text;
