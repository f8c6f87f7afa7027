#pragma once
#include "console/editor/text/CodeEditKeyCmds.h"
#include <QtCore/QString>

// The key bindings of an editor kept as their differences from a base set
// (the default bindings unless another set is given), in a small text of our
// own: the section "AddedKeystrokes" lists the bindings that the base set
// lacks, "RemovedKeystrokes" the base set's bindings that are gone, one
// binding a line with its command by name and its shortcuts (the 16-bit
// packed key and shift state) when not 0:
//   AddedKeystrokes
//   Command=ecContextHelp ShortCut=16496
//   RemovedKeystrokes
//   Command=ecContextHelp ShortCut=112
// The text is empty when the bindings equal the base set.
QString WriteKeystrokeDifferences(const TCodeEditKeyStrokes& bindings, const TCodeEditKeyStrokes* base = nullptr);

// Applies the differences to the bindings: the added ones are appended, and
// for each removed one the first binding with its shortcuts goes when it has
// its command. Raises ECodeKeyError for a line it cannot read, changing nothing.
void ReadKeystrokeDifferences(const QString& text, TCodeEditKeyStrokes& bindings);

// Whether two binding lists hold the same bindings in the same order.
bool SameKeystrokes(const TCodeEditKeyStrokes& a, const TCodeEditKeyStrokes& b);
