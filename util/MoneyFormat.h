#pragma once
#include <QtCore/QString>

// An amount as the status bars and totals show money ("%9.2m" in the
// Slovak locale): two decimals after a comma, thousands apart, the euro
// sign after a space, padded with leading spaces to `width` characters.
QString FormatMoney(double amount, int width = 9);
