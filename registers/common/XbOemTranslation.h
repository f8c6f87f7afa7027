#pragma once

class TXbTable;

// The dBASE files exchanged with the union and the older member programs hold
// their text in the DOS code page 852. Given to a table as its OnTranslate,
// this converts the program's code page 1250 to 852 when writing (toOem) and
// 852 to 1250 when reading, by the program's own tables. `source` is
// zero-terminated; `destination` has room for as many bytes and the zero.
int XbTranslate(TXbTable& table, const char* source, char* destination, bool toOem);
