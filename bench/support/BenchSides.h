#pragma once
#include <QtCore/QStringList>

// A benchmark runs its side and its baseline each in a process of its own
// (this program started again with arguments), so that each side's peak
// memory is its own; the parent prints the figures side by side.

// This process's peak resident memory (VmHWM) in KiB.
long OwnPeakKiB();

// Runs this program again with `arguments`, its standard error passed on;
// its standard output split at white space, empty when it failed.
QStringList RunSide(const QStringList& arguments);

// The header of the figure lines below, under a title naming the work.
void PrintFiguresHeader(const char* unit);
// One figure: ours, the baseline, ours / baseline, and each side's peak memory with their ratio.
void PrintFigure(const char* what, double ours, double baseline, long oursPeakKiB, long baselinePeakKiB);
