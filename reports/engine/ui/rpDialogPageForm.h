#pragma once
#include "core/ui/Form.h"
#include <QtCore/QList>
#include <QtCore/QPointer>

class TrpPage;
class TrpWindowControl;

// The window of a dialog page: a form with the page's border style, caption,
// colour, bounds and position that holds the page's window controls while it
// lives and hands them back to the engine's host form when it goes. The
// modal result a control or script sets closes it.
class TrpDialogPageForm : public TForm {
  Q_OBJECT
public:
  explicit TrpDialogPageForm(TrpPage& page, QWidget* parent = nullptr);
  ~TrpDialogPageForm() override;

  // Shows the form modally, the build-progress window hidden meanwhile; the modal result.
  int Execute();
  // What the engine calls to show a dialog page (TrpGlobals::ShowDialogPage).
  static int ShowPage(TrpPage& page);

private:
  void ApplyPageLook(const TrpPage& page);
  void PlaceControls(TrpPage& page);

  // A control frees its widget when it goes, so a live widget vouches for its control.
  struct TPlaced {
    TrpWindowControl* control;
    QPointer<QWidget> widget;
  };
  QList<TPlaced> placed_;
};
