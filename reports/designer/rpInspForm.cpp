#include "reports/designer/rpInspForm.h"
#include "core/gui/ColorConvert.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QToolButton>

// The painted rows: names, the column border and the values of the rows
// not being edited; the value edit and its buttons lie over the selected row.
class TrpInspRows : public QWidget {
public:
  explicit TrpInspRows(TrpInspForm* form) : QWidget(form), form_(form) { setMouseTracking(true); }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clBtnFace));
    if (form_->HideProperties) return;
    const int h = form_->rowHeight_, split = form_->splitPos_;
    const QColor shadow = ToQColor(clBtnShadow), light = ToQColor(clBtnHighlight);
    for (int i = 0; i < form_->props_.Count(); ++i) {
      const int top = i * h;
      const TProp& row = form_->props_.Row(i);
      p.setPen(Qt::black);
      p.drawText(QRect(QPoint(5, top + 1), QPoint(split - 2, top + h - 1)), Qt::AlignVCenter | Qt::AlignLeft,
                 form_->DisplayName(row.Name));
      p.setPen(shadow);
      p.drawLine(split - 1, top, split - 1, top + h - 1);
      p.setPen(light);
      p.drawLine(split, top, split, top + h - 1);
      if (i == form_->props_.ItemIndex()) {
        p.setPen(shadow);
        p.drawLine(0, top, width(), top);
        p.setPen(Qt::black);
        p.drawLine(0, top + 1, width(), top + 1);
        p.drawLine(0, top, 0, top + h - 1);
        p.setPen(light);
        p.drawLine(0, top + h - 1, width(), top + h - 1);
        continue;
      }
      p.setPen(shadow);
      p.drawLine(0, top + h - 1, width(), top + h - 1);
      p.setPen(ToQColor(clNavy));
      p.drawText(QRect(split + 2, top + 1, width() - split - 2, h - 2), Qt::AlignVCenter | Qt::AlignLeft, row.Text);
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (form_->HideProperties) return;
    const QPoint at = event->position().toPoint();
    if (qAbs(at.x() - form_->splitPos_) < 2) {
      dragging_ = true;
      return;
    }
    form_->SetItemIndex(at.y() / form_->rowHeight_);
    form_->Edit1->setFocus();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    const int x = int(event->position().x());
    if (dragging_) {
      form_->SetSplitPos(x);
      return;
    }
    setCursor(qAbs(x - form_->splitPos_) < 2 ? Qt::SplitHCursor : Qt::ArrowCursor);
  }
  void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (event->position().x() > form_->splitPos_) form_->ValueDoubleClick();
  }

private:
  TrpInspForm* form_;
  bool dragging_ = false;
};

TrpInspForm::TrpInspForm(QWidget* designer) : QWidget(designer, Qt::Tool) {
  setObjectName(QStringLiteral("TrpInspForm"));
  setWindowTitle(rpLoadStr(53059));
  rowHeight_ = fontMetrics().height() + 3;
  resize(200, 320);
  // A translated string table names the properties from 58001 on as "name=text".
  for (int id = 58001; id <= 65535; ++id) {
    const QString entry = rpLoadStr(id);
    if (entry.isEmpty()) break;
    const qsizetype equals = entry.indexOf(QLatin1Char('='));
    if (equals > 0 && equals + 1 < entry.size()) localizedNames_.insert(entry.left(equals), entry.mid(equals + 1));
  }
  CB1 = new QComboBox(this);
  CB1->setObjectName(QStringLiteral("CB1"));
  box_ = new QScrollArea(this);
  box_->setObjectName(QStringLiteral("Box"));
  box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box_->setWidgetResizable(false);
  rows_ = new TrpInspRows(this);
  box_->setWidget(rows_);
  box_->verticalScrollBar()->setSingleStep(rowHeight_);
  Edit1 = new QLineEdit(rows_);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setFrame(false);
  Edit1->installEventFilter(this);
  EditBtn = new QToolButton(rows_);
  EditBtn->setObjectName(QStringLiteral("EditBtn"));
  EditBtn->setText(QStringLiteral("…"));
  ComboBtn = new QToolButton(rows_);
  ComboBtn->setObjectName(QStringLiteral("ComboBtn"));
  ComboBtn->setArrowType(Qt::DownArrow);
  ValueList = new QListWidget(this);
  ValueList->setObjectName(QStringLiteral("ValueList"));
  ValueList->setWindowFlags(Qt::Popup);
  for (QWidget* w : {static_cast<QWidget*>(Edit1), static_cast<QWidget*>(EditBtn), static_cast<QWidget*>(ComboBtn)})
    w->hide();
  connect(EditBtn, &QToolButton::clicked, this, [this] {
    if (!HideProperties && props_.ItemIndex() >= 0 && props_.Row(props_.ItemIndex()).Editor)
      props_.Row(props_.ItemIndex()).Editor();
  });
  connect(ComboBtn, &QToolButton::clicked, this, &TrpInspForm::ToggleValueList);
  connect(ValueList, &QListWidget::itemClicked, this, [this] { PickFromList(); });
  connect(CB1, &QComboBox::activated, this, [this](int index) {
    if (!fillingCombo_ && OnObjectSelected) OnObjectSelected(CB1->itemText(index));
    Edit1->setFocus();
  });
  props_.OnPropertyModified = [this](int index) {
    if (OnPropertyModified) OnPropertyModified(index);
  };
}

void TrpInspForm::resizeEvent(QResizeEvent*) {
  CB1->setGeometry(0, 0, width(), CB1->sizeHint().height());
  box_->setGeometry(0, CB1->height() + 3, width(), qMax(0, height() - CB1->height() - 7));
  rows_->resize(box_->viewport()->width(), qMax(1, props_.Count() * rowHeight_));
  LayoutRow();
}

QString TrpInspForm::DisplayName(const QString& name) const {
  if (!rpGetLocale().LocalizedPropNames) return name;
  return localizedNames_.value(name, name);
}

void TrpInspForm::RollUp() {
  if (height() > 30) {
    savedHeight_ = height();
    CB1->hide();
    resize(width(), 0);
  } else {
    resize(width(), savedHeight_);
    CB1->show();
    ItemsChanged();
    Edit1->setModified(false);
  }
  if (OnHeightChanged) OnHeightChanged(this);
}

void TrpInspForm::ShowInspector() {
  show();
  raise();
  if (RolledUp()) RollUp();
}

bool TrpInspForm::event(QEvent* event) {
  // Where the platform reports a double click on the caption bar.
  if (event->type() == QEvent::NonClientAreaMouseButtonDblClick) {
    RollUp();
    return true;
  }
  if (event->type() == QEvent::WindowActivate && Edit1->isVisible() && Edit1->isEnabled()) Edit1->setFocus();
  return QWidget::event(event);
}

void TrpInspForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  CB1->setVisible(!RolledUp());
}

void TrpInspForm::SetSplitPos(int pos) {
  if (pos <= 5) return;
  splitPos_ = pos;
  LayoutRow();
}

void TrpInspForm::FillObjectNames() {
  fillingCombo_ = true;
  QStringList names;
  if (OnGetObjectNames) OnGetObjectNames(names);
  CB1->clear();
  CB1->addItems(names);
  CB1->setCurrentIndex(CB1->findText(ObjectName));
  fillingCombo_ = false;
}

void TrpInspForm::ItemsChanged() {
  rows_->resize(box_->viewport()->width(), qMax(1, props_.Count() * rowHeight_));
  props_.SelectRememberedRow();
  SetItemIndex(props_.ItemIndex());
  if (HideProperties)
    CB1->setCurrentIndex(-1);
  else if (CB1->currentText() != ObjectName)
    FillObjectNames();
}

void TrpInspForm::SetItemIndex(int index) {
  if (props_.InModify()) return;
  const bool any = props_.Count() > 0 && !HideProperties;
  Edit1->setVisible(any);
  if (props_.Count() == 0) {
    EditBtn->hide();
    ComboBtn->hide();
    rows_->update();
    return;
  }
  if (props_.ItemIndex() >= 0 && Edit1->isModified()) ApplyEditText(Edit1->text());
  props_.SetItemIndex(index);
  LayoutRow();
  const int y = props_.ItemIndex() * rowHeight_ + 1;
  box_->ensureVisible(0, y, 0, rowHeight_);
  rows_->update();
}

void TrpInspForm::LayoutRow() {
  const int index = props_.ItemIndex();
  if (index < 0 || index >= props_.Count()) return;
  const TProp& row = props_.Row(index);
  const int width = rows_->width();
  const int y = index * rowHeight_ + 1;
  const bool listed = row.Type & (ptBoolean | ptColor | ptEnum);
  EditBtn->setVisible(!HideProperties && bool(row.Editor));
  ComboBtn->setVisible(!HideProperties && listed);
  ValueList->hide();
  int right = width;
  for (QToolButton* button : {EditBtn, ComboBtn})
    if (button->isVisible()) {
      right -= 14;
      button->setGeometry(right, y, 14, rowHeight_ - 2);
    }
  Edit1->setReadOnly((row.Type & ptEditor) && !(row.Type & ptText));
  Edit1->setGeometry(splitPos_ + 2, y, right - splitPos_ - 2, rowHeight_ - 2);
  Edit1->setText(row.Text);
  Edit1->selectAll();
  Edit1->setModified(false);
  rows_->update();
}

void TrpInspForm::ApplyEditText(const QString& text) {
  if (HideProperties) return;
  props_.ApplyEditText(text);
  LayoutRow();
}

void TrpInspForm::ValueDoubleClick() {
  const int index = props_.ItemIndex();
  if (HideProperties || index < 0) return;
  TProp& row = props_.Row(index);
  if (row.Editor) {
    row.Editor();
    Edit1->selectAll();
    return;
  }
  if (row.Type & ptColor) {
    qint64 current = 0;
    try {
      current = row.Value().toLongLong();
    } catch (const Exception&) {
    }
    const QColor chosen = QColorDialog::getColor(ToQColor(TColor(current)), this);
    if (!chosen.isValid()) return;
    row.SetValue(qint64(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16)));
  } else if (!row.StepValue()) {
    return;
  }
  ApplyEditText(row.Text);
}

void TrpInspForm::ToggleValueList() {
  if (ValueList->isVisible()) {
    ValueList->hide();
    Edit1->setFocus();
    return;
  }
  const int index = props_.ItemIndex();
  if (index < 0) return;
  const QStringList items = props_.Row(index).ValueList();
  if (items.isEmpty()) return;
  ValueList->clear();
  ValueList->addItems(items);
  const QList<QListWidgetItem*> current = ValueList->findItems(Edit1->text(), Qt::MatchExactly);
  if (!current.isEmpty()) ValueList->setCurrentItem(current.first());
  const int itemHeight = ValueList->fontMetrics().height();
  QSize size =
      rpInspValueListSize(items, itemHeight, [this](const QString& t) { return fontMetrics().horizontalAdvance(t); });
  const int column = rows_->width() - splitPos_;
  int left;
  if (size.width() < column) {
    left = splitPos_ + 1;
    size.setWidth(column + 1);
  } else {
    left = rows_->width() - size.width() + 2;
  }
  const QPoint below = Edit1->mapToGlobal(QPoint(0, Edit1->height()));
  const QPoint origin = rows_->mapToGlobal(QPoint(0, 0));
  ValueList->setGeometry(qMax(0, origin.x() + left), below.y(), size.width(), size.height());
  ValueList->show();
}

void TrpInspForm::PickFromList() {
  if (!ValueList->currentItem()) return;
  Edit1->setText(ValueList->currentItem()->text());
  ValueList->hide();
  Edit1->setFocus();
  ApplyEditText(Edit1->text());
}

bool TrpInspForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Edit1 || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const int index = props_.ItemIndex();
  switch (key->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (index >= 0 && (props_.Row(index).Type & ptEditor) && props_.Row(index).Editor)
      props_.Row(index).Editor();
    else if (Edit1->isModified())
      ApplyEditText(Edit1->text());
    Edit1->selectAll();
    return true;
  case Qt::Key_Escape:
    Edit1->undo();
    Edit1->setModified(false);
    return true;
  case Qt::Key_Up:
    SetItemIndex(qMax(0, index - 1));
    return true;
  case Qt::Key_Down:
    SetItemIndex(index + 1);
    return true;
  default:
    return false;
  }
}
