select /* a
*/ x, 'it''s' -- c
@v @@w 1..2 <<= [b c]