#pragma once
#include <QtCore/QString>
#include <QtCore/QStringList>

// The languages the syntax memo colours.
enum class TSyntaxType { stPascal, stCpp, stSQL, stText };

// Attribute codes of coloured text: one character per character of a line.
enum TrpTextAttribute : char16_t { taText = 1, taSelection = 2, taComment = 3, taKeyword = 4, taString = 5 };

// The comma-separated lower-case keywords of a language (empty for plain text).
QString rpSyntaxKeywords(TSyntaxType type);

// The attribute list of the lines: entry i holds one code per character of
// line i (characters below code 32 keep their own code), and one further
// entry " " follows the last line. The whole text is tokenized at once, so
// comments and braces run on over line ends.
QStringList rpColourLines(const QStringList& lines, TSyntaxType type, const QString& keywords);
