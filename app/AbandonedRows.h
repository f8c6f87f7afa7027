#pragma once
#include <QtCore/QString>

class TIBTransaction;

// An add dialog writes its row before the user has filled it in (so that
// child rows can refer to it) and deletes it on every close that did not
// save. A program that ends abruptly leaves such a row behind, empty. Each
// register names its leftover rows once, at registration: the table and the
// condition that only a row never saved meets (both program text, never
// user input).
void RegisterAbandonedRows(const QString& table, const QString& condition);

// Deletes the leftover rows of every register. Run it only while this
// program is the database's only attachment: another workstation's open
// dialog holds such a row too. A table whose delete the database refuses
// (a row something else refers to) keeps its rows; the others go on.
void DeleteAbandonedRows(TIBTransaction& transaction);
