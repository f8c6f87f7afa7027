#pragma once
#include "core/ui/Form.h"
#include <QtCore/QList>

class QGroupBox;
class QRadioButton;
class TrpPage;

// The band type a band about to be inserted gets: one radio button per type
// 0 to 21, those the page may not take disabled.
class TrpBandTypesForm : public TForm {
  Q_OBJECT
public:
  explicit TrpBandTypesForm(QWidget* parent = nullptr);

  // Enables the types the page may take (see rpOfferedBandTypes) and selects
  // the first of them.
  void OfferFor(const TrpPage& page, bool subreportPage);
  // The chosen type after OK; -1 when no type is offered.
  int BandType = -1;

  // Asks for the type of a band to insert on the page; -1 when cancelled.
  static int ChooseBandType(const TrpPage& page, bool subreportPage);

  QGroupBox* TypeGroup;
  QList<QRadioButton*> TypeButtons; // by type

private:
  void PlaceButtons();
};
