#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <functional>

class TrpPage;
class TrpView;
struct TrpInsertDefaults;

// One field the insert-fields tool places: its name as listed, and the
// display width (characters) and name of the data set's field (0 and the
// listed name when the field was not found).
struct TrpFieldToInsert {
  QString Field;
  int DisplayWidth = 0;
  QString DisplayName;
};

struct TrpInsertFieldsChoice {
  QString DataSet; // as listed in the dialog
  QList<TrpFieldToInsert> Fields;
  bool Horizontal = true; // side by side, else one below the other
  bool Headers = true;    // a bold header text above (or left of) each field
  bool Bands = true;      // a master data band (and a page header) around them
  QString BandDataSource; // the master data band's data source
};

// Adds a data text object per field (with headers and bands as chosen) from
// the page's printable left-top and selects them; `textWidth` measures a
// text in the default font (bold for headers). Returns the objects added.
QList<TrpView*> rpInsertFieldObjects(TrpPage& page, const TrpInsertFieldsChoice& choice, int gridSize,
                                     const TrpInsertDefaults& defaults,
                                     const std::function<int(const QString& text, bool bold)>& textWidth);
