#pragma once
#include <QtCore/QString>
#include <span>

// What a main-window button hands the form it opens.
enum class TNavigationMode {
  Plain,         // nothing; the form takes the working year itself
  WorkingYear,   // the form's Rok
  BookType,      // Typ = first (1 cash book, 2 bank book)
  DocumentRange, // TypOd = first, TypDo = last, Rok
  DateTime,      // DatumCas = now; the main window stays visible
  Action,        // a registered action that shows its own window
};

// One button of the main window's pages.
struct TNavigationEntry {
  int page;            // 0 "&1. Evidencie" .. 3 "&4. Služby"
  const char* button;  // component name, e.g. "btnEBrigady"
  const char* caption; // UTF-8
  int column;          // 1..3
  int row;             // 1..7
  const char* target;  // form class or action name in the form registry
  TNavigationMode mode = TNavigationMode::Plain;
  int first = 0; // book type or first document type
  int last = 0;  // last document type
};

// The main window's pages: name and caption.
struct TNavigationPage {
  const char* name;
  const char* caption; // UTF-8
};

std::span<const TNavigationPage> NavigationPages();
// Every button of every page, each page's buttons in their tab order.
std::span<const TNavigationEntry> NavigationEntries();
