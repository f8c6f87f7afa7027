#pragma once

class TImageList;

// Draws the standard tool-button pictures into the main window's image
// lists, at the indexes the register forms and the standard hints use:
// il32 0 add, 1 edit, 2 delete, 3 print, 4 refresh, 5/6 ascending/descending,
// 7/8 only marked up/down, 9 mark all, 10 unmark all, 11 show, 12 info,
// 13 repeat, 14 copy, 15 save, 16 find, 17/18 filter up/down, 20 sum,
// 26 services; il16 0 next, 1 OK, 2 cancel (the dialog buttons), 3 clear
// filter, 4 refresh, 5 add, 6 edit, 7 delete, 8 run, 9 sum, 10/11 marked,
// 12 mark all, 13 unmark all. Indexes without a picture stay empty.
void AddStandardToolImages(TImageList& il16, TImageList& il32);
