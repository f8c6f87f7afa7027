#pragma once
#include <QtCore/QString>
#include <QtCore/QtGlobal>

// Writes a non-negative whole number in Slovak words joined without blanks, as
// receipts write amounts ("dvadsaťjeden"); 0 gives an empty text and numbers
// from 20 000 000 000 up give the overflow text "!!!!! veľké číslo !!!!!".
QString NumberToSlovakWords(qint64 n);
