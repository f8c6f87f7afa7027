#include "reports/engine/ui/rpWindowControl.h"
#include "core/ui/Form.h"
#include <QtGui/QPainter>
#include <QtGui/QPixmap>
#include <QtWidgets/QApplication>
#include <algorithm>

TForm* rpDialogForm() {
  static QPointer<TForm> form;
  if (!form) {
    form = new TForm;
    form->setObjectName(QStringLiteral("DialogForm"));
    form->setGeometry(-100, -100, 10, 10);
    // Freed with the application's event loop; a form left at exit is freed by nobody else.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, form, &QObject::deleteLater);
  }
  return form;
}

bool rpDialogFormHasComponent(const QString& name) {
  if (name.isEmpty()) return false;
  const QList<QObject*> components = rpDialogForm()->findChildren<QObject*>();
  return std::any_of(components.begin(), components.end(), [&name](const QObject* component) {
    return component->objectName().compare(name, Qt::CaseInsensitive) == 0;
  });
}

TrpWindowControl::TrpWindowControl(QWidget* control) : control_(control) { ReturnToHostForm(); }

TrpWindowControl::~TrpWindowControl() { delete control_.data(); }

void TrpWindowControl::PlaceOnForm(QWidget* form) {
  if (!control_) return;
  control_->setParent(form);
  control_->setGeometry(Left, Top, Width, Height);
  control_->setVisible(Visible);
}

void TrpWindowControl::ReturnToHostForm() {
  if (!control_) return;
  control_->setParent(rpDialogForm());
  control_->setVisible(Visible); // the hidden host form shows none of them
}

void TrpWindowControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpControl::WriteProperty(name, value);
  if (control_ && name.toUpper() == QLatin1String("NAME")) control_->setObjectName(Name);
}

void TrpWindowControl::ControlVisibilityChanged() {
  if (control_) control_->setVisible(Visible);
}

void TrpWindowControl::PaintControlImage() {
  if (!control_ || !DrawCanvas || Width <= 0 || Height <= 0) return;
  // The widget renders itself even while its window is hidden, so the host form stays out of sight.
  control_->resize(Width, Height);
  QPixmap image(Width + 1, Height + 1);
  image.fill(rpPaintColor(clBtnFace));
  control_->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  DrawCanvas->drawPixmap(Left, Top, image);
}
