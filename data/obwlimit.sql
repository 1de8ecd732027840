-- The limit database: one head per limit definition (OBWHead) and one row per harmonic order
-- (obwdata). The program runs this script once, when the per-user database does not exist yet;
-- running it again changes nothing (tables are made only when missing, the seeds only go into
-- a database that records no schema version yet).
--
-- relativ: 0 the limits are amperes, 1 per cent of the fundamental (a negative one is scaled by
-- the power factor). multi: the multiplier of the max-hold comparison, 1 to 5. "limit" holds a
-- single-precision value; it is quoted everywhere because LIMIT is an SQL keyword.
CREATE TABLE IF NOT EXISTS OBWHead (
    name    TEXT NOT NULL PRIMARY KEY COLLATE NOCASE,
    relativ INTEGER NOT NULL CHECK (relativ IN (0, 1)),
    multi   REAL NOT NULL CHECK (multi BETWEEN 1 AND 5),
    Memo    TEXT NOT NULL DEFAULT ''
);

CREATE TABLE IF NOT EXISTS obwdata (
    name     TEXT NOT NULL COLLATE NOCASE
             REFERENCES OBWHead (name) ON DELETE CASCADE ON UPDATE CASCADE,
    Harmonic INTEGER NOT NULL CHECK (Harmonic BETWEEN -32768 AND 32767),
    "limit"  REAL NOT NULL,
    memo     TEXT NOT NULL DEFAULT '',
    UNIQUE (name, Harmonic)
);

-- The seeds: indications for a pre-compliance check of the harmonic currents, no certified test.
CREATE TEMP TABLE seeding AS SELECT user_version = 0 AS fresh FROM pragma_user_version;

INSERT INTO OBWHead (name, relativ, multi, Memo)
SELECT name, relativ, multi, Memo FROM (
    SELECT 'Class A' AS name, 0 AS relativ, 1.5 AS multi,
           'Class A limits in amperes (balanced three-phase and general equipment). '
           || 'Indications for a pre-compliance check only, not a certified test.' AS Memo
    UNION ALL
    SELECT 'Class B', 0, 1.5,
           'Class B limits in amperes (portable tools): class A x 1.5. '
           || 'Indications for a pre-compliance check only, not a certified test.'
    UNION ALL
    SELECT 'Class C', 1, 1.5,
           'Class C limits in per cent of the fundamental (lighting); the limit of order 3 '
           || 'is multiplied by the power factor. '
           || 'Indications for a pre-compliance check only, not a certified test.'
) WHERE (SELECT fresh FROM seeding);

-- Class A, orders 2 to 40. Even: 2: 1.08, 4: 0.43, 6: 0.30, 8..40: 0.23 x 8 / n. Odd: 3: 2.30,
-- 5: 1.14, 7: 0.77, 9: 0.40, 11: 0.33, 13: 0.21, 15..39: 0.15 x 15 / n.
CREATE TEMP TABLE classA AS
WITH RECURSIVE orders(n) AS (SELECT 2 UNION ALL SELECT n + 1 FROM orders WHERE n < 40)
SELECT n, CASE n WHEN 2 THEN 1.08 WHEN 3 THEN 2.30 WHEN 4 THEN 0.43 WHEN 5 THEN 1.14
                 WHEN 6 THEN 0.30 WHEN 7 THEN 0.77 WHEN 9 THEN 0.40 WHEN 11 THEN 0.33
                 WHEN 13 THEN 0.21
                 ELSE CASE n % 2 WHEN 0 THEN 0.23 * 8 / n ELSE 0.15 * 15 / n END
          END AS amperes
FROM orders;

INSERT INTO obwdata (name, Harmonic, "limit", memo)
SELECT 'Class A', n, amperes, '' FROM classA WHERE (SELECT fresh FROM seeding);
INSERT INTO obwdata (name, Harmonic, "limit", memo)
SELECT 'Class B', n, amperes * 1.5, '' FROM classA WHERE (SELECT fresh FROM seeding);

-- Class C, per cent: 2: 2, 3: -30 (times the power factor), 5: 10, 7: 7, 9: 5, odd 11..39: 3.
INSERT INTO obwdata (name, Harmonic, "limit", memo)
SELECT 'Class C', n, pct, CASE WHEN pct < 0 THEN 'This Limit ist multiplied with the Powerfactor'
                               ELSE '' END
FROM (
    WITH RECURSIVE odd(n) AS (SELECT 11 UNION ALL SELECT n + 2 FROM odd WHERE n < 39)
    SELECT 2 AS n, 2 AS pct UNION ALL SELECT 3, -30 UNION ALL SELECT 5, 10
    UNION ALL SELECT 7, 7 UNION ALL SELECT 9, 5 UNION ALL SELECT n, 3 FROM odd
) WHERE (SELECT fresh FROM seeding);

DROP TABLE classA;
DROP TABLE seeding;

PRAGMA user_version = 1;
