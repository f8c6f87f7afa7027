#include "controls/DbGridQPLFind.h"
#include "controls/DbGridQPL.h"
#include "core/gui/ColorConvert.h"
#include "platform/Shell.h"
#include "platform/base/Registry.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFileInfo>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStackedWidget>

namespace {

QString& LastSearchText() {
  static QString text;
  return text;
}

std::function<void()>& OopsSound() {
  static std::function<void()> sound = [] {
    const QString file = QCoreApplication::applicationDirPath() + QStringLiteral("/Sounds/Oops.Wav");
    if (QFileInfo::exists(file)) Shell::PlaySoundFile(file);
  };
  return sound;
}

void SetEditColor(QWidget* edit, TColor color) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, ToQColor(color));
  edit->setPalette(palette);
}

QWidget* Page(QLabel*& label, QWidget* edit) {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  label = new QLabel(QStringLiteral("Vyhľadaj:"), page);
  layout->addWidget(label);
  layout->addWidget(edit, 1);
  return page;
}

} // namespace

TfrmDBGridQPLFind::TfrmDBGridQPLFind(TDbGridQPL* grid, const QString& fieldName, TPage page)
    : TForm(grid), grid_(grid), fieldName_(fieldName) {
  setObjectName(QStringLiteral("frmDBGridQPLFind"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  e1 = new QLineEdit;
  QFont courier(QStringLiteral("Courier"));
  courier.setStyleHint(QFont::TypeWriter);
  courier.setPixelSize(13);
  e1->setFont(courier);
  e2 = new QDateEdit;
  e2->setCalendarPopup(true);
  e2->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
  e2->setDate(QDate::currentDate());
  for (QWidget* edit : {static_cast<QWidget*>(e1), static_cast<QWidget*>(e2)})
    SetEditColor(edit, clAqua);
  pc1 = new QStackedWidget(this);
  tsString = Page(lblString, e1);
  tsDate = Page(lblDate, e2);
  pc1->addWidget(tsString);
  pc1->addWidget(tsDate);
  pc1->setCurrentWidget(page == TPage::Text ? tsString : tsDate);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pc1);
  resize(513, 66);
  setFixedHeight(66);
  SetKeyPreview(true);
  connect(e1, &QLineEdit::textChanged, this, &TfrmDBGridQPLFind::e1Change);
  connect(e2, &QDateEdit::dateChanged, this, &TfrmDBGridQPLFind::e2Change);
}

TfrmDBGridQPLFind::~TfrmDBGridQPLFind() = default;

QString TfrmDBGridQPLFind::LastSearch() { return LastSearchText(); }

void TfrmDBGridQPLFind::SetOopsSound(std::function<void()> sound) { OopsSound() = std::move(sound); }

QString TfrmDBGridQPLFind::RegistryKey() { return QStringLiteral("Software\\Kalim\\TfrmDBGridQPLFind"); }

void TfrmDBGridQPLFind::FormShow() {
  const TGridColumn* column = grid_->ActiveColumn();
  SetCaption(QStringLiteral("Vyhľadávanie podľa ") +
             (column ? static_cast<const TQPLColumn*>(column)->FindBy : QString()) + QStringLiteral("..."));
  grid_->SetColorSelectedRow(true);
  (pc1->currentWidget() == tsString ? static_cast<QWidget*>(e1) : e2)->setFocus();
  e1->clear();
  LastSearchText().clear();
  TRegistry& registry = TRegistry::Root();
  if (!registry.KeyExists(RegistryKey())) registry.WriteValue(RegistryKey(), QString(), TRegValue::String({}), true);
  auto read = [&](const char* name, int current) {
    const std::optional<TRegValue> value = registry.ReadValue(RegistryKey(), QLatin1String(name));
    return value && value->Type == TRegValueType::Dword ? int(qint32(value->Dword)) : current;
  };
  move(read("Left", x()), read("Top", y()));
  resize(width(), read("Height", height()));
}

void TfrmDBGridQPLFind::FormClose(TCloseAction&) {
  // Enter, Esc and the close box all end here, once.
  if (closed_) return;
  closed_ = true;
  grid_->SetColorSelectedRow(false);
  TRegistry& registry = TRegistry::Root();
  registry.WriteValue(RegistryKey(), QStringLiteral("Left"), TRegValue::FromDword(quint32(x())), true);
  registry.WriteValue(RegistryKey(), QStringLiteral("Top"), TRegValue::FromDword(quint32(y())), true);
  registry.WriteValue(RegistryKey(), QStringLiteral("Height"), TRegValue::FromDword(quint32(height())), true);
}

bool TfrmDBGridQPLFind::FormKeyDown(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
  QWidget* focus = focusWidget();
  if (focus != e1 && focus != e2 && !e2->isAncestorOf(focus)) return false;
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (found_) {
      TCloseAction action = TCloseAction::Hide;
      FormClose(action);
      hide();
      emit grid_->OnFoundRecord();
      SetModalResult(mrOk);
    }
    return true;
  case Qt::Key_Escape: {
    TCloseAction action = TCloseAction::Hide;
    FormClose(action);
    SetModalResult(mrCancel);
    return true;
  }
  default:
    return false;
  }
}

void TfrmDBGridQPLFind::e1Change(const QString& text) {
  QString& last = LastSearchText();
  if (isVisible()) {
    if (text.size() < last.size() && last.startsWith(text)) last = text;
    bool found = false;
    if (!text.startsWith(last) || last.isEmpty()) {
      last.clear();
      if (!text.isEmpty()) found = grid_->DataSet()->Locate(fieldName_, text, loCaseInsensitive | loPartialKey);
    } else {
      found = LocateFromCurrent(text);
    }
    ShowResult(e1, found, text.trimmed().isEmpty());
  }
  last = text;
}

void TfrmDBGridQPLFind::e2Change() {
  if (!isVisible()) return;
  ShowResult(e2, grid_->DataSet()->Locate(fieldName_, e2->date()), false);
}

bool TfrmDBGridQPLFind::LocateFromCurrent(const QString& text) {
  TDataSet* ds = grid_->DataSet();
  const int field = ds->FieldByName(fieldName_).Index();
  const int count = ds->RecordCount();
  for (int row = std::max(ds->RecNo() - 1, 0); row < count; ++row) {
    const QVariant value = ds->ValueAt(row, field);
    if (!value.isNull() && value.toString().startsWith(text, Qt::CaseInsensitive)) {
      ds->SetRecNo(row + 1);
      return true;
    }
  }
  return false;
}

void TfrmDBGridQPLFind::ShowResult(QWidget* edit, bool found, bool blank) {
  found_ = found;
  if (found || blank) {
    SetEditColor(edit, clAqua);
    red_ = false;
  } else if (!red_) {
    SetEditColor(edit, clRed);
    red_ = true;
    OopsSound()();
  }
}
