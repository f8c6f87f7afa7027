SET TERM ^ ;

-- Stand-in of the server function library's version function.
CREATE FUNCTION KALIM_UDF_VERSION RETURNS VARCHAR(10)
AS
BEGIN
  RETURN '1.4';
END^

-- Stand-in of the server function library's search folding: the letters of
-- the first list become the letter at the same place of the second list; the
-- letters a-z are upper-cased; every other character stays as it is.
CREATE FUNCTION UPPERQPL2 (S VARCHAR(4000)) RETURNS VARCHAR(4000)
AS
DECLARE FROM_CHARS VARCHAR(100) = 'ŠŚšśŤťŽŹžźŁłĽľĹĺŔŘŕřÁÄáäČčÉĚéěÍíĎďŇňÓÔŐÖóôőöŮÚŰÜůúűüÝýabcdefghijklmnopqrstuvwxyz';
DECLARE TO_CHARS VARCHAR(100) = 'SSSSTTZZZZLLLLLLRRRRAAAACCEEEEIIDDNNOOOOOOOOUUUUUUUUYYABCDEFGHIJKLMNOPQRSTUVWXYZ';
DECLARE RESULT VARCHAR(4000) = '';
DECLARE I INTEGER = 1;
DECLARE N INTEGER;
DECLARE C CHAR(1);
DECLARE P INTEGER;
BEGIN
  IF (S IS NULL) THEN RETURN NULL;
  N = CHAR_LENGTH(S);
  WHILE (I <= N) DO
  BEGIN
    C = SUBSTRING(S FROM I FOR 1);
    P = POSITION(C COLLATE WIN1250 IN FROM_CHARS);
    IF (P > 0) THEN RESULT = RESULT || SUBSTRING(TO_CHARS FROM P FOR 1);
    ELSE RESULT = RESULT || C;
    I = I + 1;
  END
  RETURN RESULT;
END^

SET TERM ; ^
