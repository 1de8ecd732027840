-- Rows the program could not use: digital models without trigger-mark reference voltages,
-- names that are not 1-8 characters starting with "T", wildcard characters, flags not 0/1.
SELECT 'bad row: ' || scope FROM units
WHERE (analog = 0 AND xyinv = 0 AND digimodec = 0)
   OR length(scope) < 1 OR length(scope) > 8 OR substr(scope, 1, 1) <> 'T'
   OR scope GLOB '*[%_*?]*'
   OR digimodea NOT IN (0, 1) OR digimodec NOT IN (0, 1) OR analog NOT IN (0, 1)
   OR notbb NOT IN (0, 1) OR xyinv NOT IN (0, 1) OR tbma NOT IN (0, 1) OR pk NOT IN (0, 1)
   OR measa NOT IN (0, 1) OR newtbmode NOT IN (0, 1) OR pt_variabel NOT IN (0, 1)
   OR ddf2 NOT IN (0, 1) OR trgypos NOT IN (0, 1);
