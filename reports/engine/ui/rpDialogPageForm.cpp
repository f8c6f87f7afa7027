#include "reports/engine/ui/rpDialogPageForm.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/ui/rpProgressForm.h"
#include "reports/engine/ui/rpWindowControl.h"
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>

namespace {

constexpr quint8 kSizeable = 2; // border style 2; 3 (and anything else) is a fixed dialog frame
constexpr quint8 kDesigned = 0; // position 0 keeps the page's Left and Top; else screen centre

} // namespace

TrpDialogPageForm::TrpDialogPageForm(TrpPage& page, QWidget* parent) : TForm(parent) {
  ApplyPageLook(page);
  PlaceControls(page);
}

TrpDialogPageForm::~TrpDialogPageForm() {
  for (const TPlaced& placed : placed_)
    if (placed.widget) placed.control->ReturnToHostForm();
}

void TrpDialogPageForm::ApplyPageLook(const TrpPage& page) {
  if (page.BorderStyle == kSizeable)
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
  else
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  SetCaption(page.Caption);
  QPalette look = palette();
  look.setColor(QPalette::Window, ToQColor(TColor(page.Color)));
  setPalette(look);
  setAutoFillBackground(true);
  // The page's size is the client area's, so no control placed inside it is cut by the frame.
  const QSize size(page.DialogWidth, page.DialogHeight);
  if (page.BorderStyle == kSizeable)
    resize(size);
  else
    setFixedSize(size);
  QPoint at(page.DialogLeft, page.DialogTop);
  if (page.Position != kDesigned)
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      at = screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
  move(at);
}

void TrpDialogPageForm::PlaceControls(TrpPage& page) {
  for (int i = 0; i < page.Count(); ++i)
    if (auto* control = dynamic_cast<TrpWindowControl*>(page.GetObject(i))) {
      control->PlaceOnForm(this);
      placed_.append({control, control->Control()});
    }
}

int TrpDialogPageForm::Execute() {
  // The progress window steps aside while the page asks its questions.
  QList<QPointer<QWidget>> hidden;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (qobject_cast<TrpProgressForm*>(window) && window->isVisible()) {
      hidden.append(window);
      window->hide();
    }
  const int result = ShowModal();
  for (const QPointer<QWidget>& window : hidden)
    if (window) window->show();
  return result;
}

int TrpDialogPageForm::ShowPage(TrpPage& page) {
  TrpDialogPageForm form(page);
  return form.Execute();
}
