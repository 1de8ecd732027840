-- The model table: one row per supported instrument model and what it can do.
-- Flags are 0 (False) or 1 (True); "digimodec" feeds two of the program's flags.
-- Every digital model (analog = 0) has xyinv or digimodec set, which choose the trigger-mark
-- reference voltages; the build refuses a table that breaks this.
CREATE TABLE units (
    scope       TEXT NOT NULL,
    memo        TEXT,
    digimodea   INTEGER NOT NULL,
    digimodec   INTEGER NOT NULL,
    analog      INTEGER NOT NULL,
    notbb       INTEGER NOT NULL,
    xyinv       INTEGER NOT NULL,
    tbma        INTEGER NOT NULL,
    pk          INTEGER NOT NULL,
    measa       INTEGER NOT NULL,
    newtbmode   INTEGER NOT NULL,
    pt_variabel INTEGER NOT NULL,
    ddf2        INTEGER NOT NULL,
    trgypos     INTEGER NOT NULL
);

--                                                                         a  c  an nb xy tm pk me nt pv d2 ty
INSERT INTO units VALUES ('TA100',  'Analog oscilloscope, 2 x 100 MHz, delayed time base',
                          0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0);
INSERT INTO units VALUES ('TX220',  'Digital storage oscilloscope, 2 x 20 MHz, single time base',
                          1, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0);
INSERT INTO units VALUES ('TX226-2', 'Digital storage oscilloscope, 2 x 20 MHz, single time base, peak detect',
                          1, 1, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0);
INSERT INTO units VALUES ('TC304',  'Combined analog/digital oscilloscope, 2 x 40 MHz, delayed time base',
                          0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0);
INSERT INTO units VALUES ('TC308',  'Combined analog/digital oscilloscope, 2 x 80 MHz, delayed time base, measurement readout, variable pre-trigger',
                          0, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1);
INSERT INTO units VALUES ('TC310X', 'Combined analog/digital oscilloscope, 2 x 100 MHz, delayed time base, XY axes swapped',
                          0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 0);
