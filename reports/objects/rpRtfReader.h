#pragma once
#include <QtCore/QByteArrayView>

class QTextDocument;

// Reads RTF into a document: font and colour tables, font, size, bold,
// italic, underline, strike-out, colours, paragraph alignment, indents,
// bullets, tab stops and line breaks; "\'xx" in code page 1250 and "\uN".
// Groups it does not know ("{\*\...}", pictures, headers, fields' codes) are
// skipped. Damaged input gives what could be read, never an error; the
// document is replaced in every case. Answers the count of bytes consumed
// (up to the end of the outermost group), 0 when the data is no RTF.
qsizetype rpReadRtf(QByteArrayView rtf, QTextDocument& document);
