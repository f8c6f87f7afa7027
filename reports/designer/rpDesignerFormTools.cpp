// The designer window's extra tools and its help tool.
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerGlyphs.h"
#include "reports/designer/rpDesignerHelp.h"
#include "reports/designer/rpInsFieldsForm.h"
#include "reports/engine/rpDesignerTools.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtGui/QAction>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QWhatsThis>

void TrpDesignerForm::CreateExtraTools() {
  if (!EditingTemplate) return;
  // Inserting DB fields comes first; its dialog is the command's.
  // (its menu item is the command table's "ExtraTool0", so it is enabled with the command).
  QAction* insertFields = AddExtraTool(rpLoadStr(55305), rpDesignerGlyph(QStringLiteral("Image2")),
                                       [this] { RunCommand(QStringLiteral("InsertFields")); });
  menuItems_.insert(insertFields->objectName(), insertFields);
  for (const TrpToolsInfo& tool : rpDesignerTools()) {
    bool numeric = false;
    const int id = tool.Caption.toInt(&numeric);
    AddExtraTool(numeric ? rpLoadStr(id) : tool.Caption, tool.Bitmap, tool.OnClick);
  }
}

QAction* TrpDesignerForm::AddExtraTool(const QString& caption, const QImage& bitmap, std::function<void()> onClick) {
  auto* menu = menuBar_->findChild<QMenu*>(QStringLiteral("MastMenu"));
  menu->setEnabled(true);
  const QString name = QStringLiteral("ExtraTool%1").arg(menu->actions().size());
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  if (!bitmap.isNull()) action->setIcon(QIcon(QPixmap::fromImage(bitmap)));
  TrpToolBar* bar = toolBars_.value(QStringLiteral("Panel6"));
  auto* button = new TrpTBButton(bar);
  button->setObjectName(name);
  button->setToolTip(caption);
  if (!bitmap.isNull()) button->SetGlyph(bitmap);
  bar->AddControl(button);
  bar->AdjustBounds();
  controls_.insert(name, button);
  connect(action, &QAction::triggered, this, [onClick] {
    if (onClick) onClick();
  });
  connect(button, &TrpSpeedButton::clicked, action, &QAction::trigger);
  connect(action, &QAction::changed, button,
          [this, button, action] { SetControlEnabled(button, action->isEnabled()); });
  return action;
}

void TrpDesignerForm::StartHelpTool() {
  if (helpToolActive_) return;
  helpToolActive_ = true;
  if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("HelpBtn")))) button->SetDown(true);
  QApplication::setOverrideCursor(Qt::WhatsThisCursor);
  grabMouse();
}

void TrpDesignerForm::mousePressEvent(QMouseEvent* event) {
  if (!helpToolActive_) {
    TForm::mousePressEvent(event);
    return;
  }
  helpToolActive_ = false;
  releaseMouse();
  QApplication::restoreOverrideCursor();
  if (auto* button = qobject_cast<TrpSpeedButton*>(controls_.value(QStringLiteral("HelpBtn")))) button->SetDown(false);
  QWidget* hit = childAt(event->position().toPoint());
  if (!hit) hit = QApplication::widgetAt(event->globalPosition().toPoint());
  // The control is the nearest one the designer knows by name.
  while (hit && !controls_.contains(hit->objectName()))
    hit = hit->parentWidget();
  if (hit && hit->objectName() == QLatin1String("HelpBtn")) return;
  const QString name = hit ? hit->objectName() : QString();
  // There is no help file: the control's hint and its topic stand in for it.
  helpText_ =
      QStringLiteral("%1\nTéma pomocníka: %2").arg(hit ? hit->toolTip() : windowTitle()).arg(rpDesignerHelpTopic(name));
  QWhatsThis::showText(event->globalPosition().toPoint(), helpText_, this);
}
