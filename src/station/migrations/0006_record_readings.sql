-- A specimen read several times: every reading of the standard and of the
-- sample, and whether their mean or median was compared, as one jsonb
-- ({"median": false, "standard": [[...], ...], "sample": [[...], ...]}, the
-- values in the order of standard_values). NULL: one reading of each, as
-- every record before. A plain column: no function is added or changed, and
-- it belongs to the table's owner with the table.
ALTER TABLE tintwell.records ADD COLUMN IF NOT EXISTS readings jsonb;
