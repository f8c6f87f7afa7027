#include "registers/common/DialogPattern.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/UnitOfWork.h"
#include "controls/DataEntryControl.h"
#include "controls/IBEdit.h"
#include "controls/QPLBtn.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/EventBoundary.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include "db/SqlCondition.h"
#include "registers/common/PatternKeys.h"
#include "registers/common/RegisterControls.h"
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace {
const QString kPatternName = QStringLiteral("dialogPattern");

TQPLBtn* MakeButton(TForm& form, const char* name, const QString& caption, int image) {
  auto* button = new TQPLBtn(caption, &form);
  button->setObjectName(QString::fromLatin1(name));
  button->SetImages(ImageList16());
  button->SetImageIndex(image);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  return button;
}
} // namespace

const QString TDialogPattern::ChangedByOtherMessage =
    QStringLiteral("Záznam medzitým zmenil iný používateľ, vaše zmeny preto neboli zapísané. Údaje, ktoré ste "
                   "zadali, zostávajú v okne: poznačte si ich, zatvorte okno bez zápisu, otvorte záznam znova a zmeny "
                   "zopakujte.");

TDialogPattern::TDialogPattern(TForm& form, int& jedin) : QObject(&form), form_(form), jedin_(jedin) {
  setObjectName(kPatternName);
  btnDalsi = MakeButton(form, "btnDalsi", QStringLiteral("Ď&alší"), 0);
  btnDalsi->setFocusPolicy(Qt::ClickFocus); // no tab stop until first pressed
  // A Slovak keyboard reaches "Ď" only through a dead key: Alt+D is what is pressed.
  for (int key : {int(Qt::Key_D), 0x10E})
    btnDalsi->AddAccelerator(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key))));
  btnZapis = MakeButton(form, "btnZapis", QStringLiteral(" &OK"), 1);
  btnNezapis = MakeButton(form, "btnNezapis", QStringLiteral("&Nezapíš"), 2);
  btnNezapis->SetCancel(true);
  ConnectGuarded(btnDalsi, &QPushButton::clicked, this, [this] { btnDalsiClick(); });
  ConnectGuarded(btnZapis, &QPushButton::clicked, this, [this] { btnZapisClick(btnZapis); });
  ConnectGuarded(btnNezapis, &QPushButton::clicked, this, [this] { btnNezapisClick(); });

  ibt1 = new TIBTransaction(MainDatabase(), TIBTransactionKind::ReadCommitted, this);
  ibt1->setObjectName(QStringLiteral("ibt1"));
  ib1 = new TIBQuery(this);
  ib1->setObjectName(QStringLiteral("ib1"));
  ib1->SetDatabase(MainDatabase());
  ib1->SetTransaction(ibt1);
  fp = new TUxFormPlacement(&form);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);
  form.SetKeyPreview(true);
  form.installEventFilter(this);
}

bool TDialogPattern::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &form_ || event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

TDialogPattern::~TDialogPattern() = default;

TDialogPattern* TDialogPattern::Of(const QWidget* form) {
  return form ? form->findChild<TDialogPattern*>(kPatternName, Qt::FindDirectChildrenOnly) : nullptr;
}

void TDialogPattern::FormCreate(QWidget* controls, QSize clientSize) {
  auto* layout = new QVBoxLayout(&form_);
  layout->addWidget(controls);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(btnDalsi);
  row->addWidget(btnZapis);
  row->addWidget(btnNezapis);
  layout->addLayout(row);
  // The buttons exist before the register's controls: the tab order puts
  // the controls first, in the order they were made.
  QWidget* previous = nullptr;
  QList<QWidget*> order;
  auto takesTab = [](const QWidget* w) { return bool(w->focusPolicy() & Qt::TabFocus); };
  for (QWidget* widget : controls->findChildren<QWidget*>()) {
    bool inner = false; // a part of a control that takes the focus itself (a combo's edit)
    for (QWidget* up = widget->parentWidget(); up && up != controls; up = up->parentWidget())
      inner = inner || takesTab(up);
    if (takesTab(widget) && !inner) order.append(widget);
  }
  order << btnDalsi << btnZapis << btnNezapis;
  for (QWidget* widget : order) {
    if (previous) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  tabOrder_.clear();
  for (QWidget* widget : order)
    tabOrder_.append(widget);
  ApplyFieldRules();
  form_.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  // Never below what the layout needs: controls that ignore their size hint
  // (the child lists of a dialog) still keep their minimum.
  form_.setFixedSize(form_.sizeHint().expandedTo(form_.minimumSizeHint()).expandedTo(clientSize));
}

TDialogField& TDialogPattern::Field(const QString& column, QWidget* control) {
  return fields_.emplace_back(ServerSql::CheckedName(column), control);
}

void TDialogPattern::ApplyFieldRules() {
  for (const TDialogField& field : fields_) {
    field.ApplyRules();
    auto* edit = qobject_cast<TIBEdit*>(field.Control());
    if (!edit || !(field.Has(TFieldRule::Unique) || field.Has(TFieldRule::UniqueInYear))) continue;
    edit->SetUniqueTest(true);
    edit->SetDatabase(MainDatabase());
    edit->SetUTableName(Table);
    edit->SetUTestColumn(field.Column());
    edit->SetUniqueColumn(QStringLiteral("JEDIN"));
  }
}

QString TDialogPattern::LoadStatement() const {
  if (!LoadSql.isEmpty()) return LoadSql;
  QStringList columns;
  for (const TDialogField& field : fields_)
    if (field.Loaded()) columns.append(field.Column());
  return QStringLiteral("select ") + columns.join(QLatin1Char(',')) + QStringLiteral("\nfrom ") +
         ServerSql::CheckedName(Table) + QStringLiteral(" where JEDIN=:JEDIN");
}

QStringList TDialogPattern::WrittenColumns(bool adding) const {
  QStringList columns;
  // A placeholder row has no year until its first save.
  if (PerYear && (adding || HasPlaceholder)) columns.append(QStringLiteral("ROK"));
  for (const TDialogField& field : fields_)
    if (field.OwnRow() && field.Written() && (adding || !field.Has(TFieldRule::InsertOnly)))
      columns.append(field.Column());
  return columns;
}

QString TDialogPattern::InsertInto(const QStringList& columns) const {
  QStringList values;
  for (const QString& column : columns) {
    const TDialogField* field = FieldOf(column);
    values.append(field && !field->InsertExpression().isEmpty() ? field->InsertExpression()
                                                                : QLatin1Char(':') + column);
  }
  return QStringLiteral("insert into ") + ServerSql::CheckedName(Table) + QStringLiteral(" (") +
         columns.join(QLatin1Char(',')) + QStringLiteral(")\nvalues (") + values.join(QLatin1Char(',')) +
         QLatin1Char(')');
}

const TDialogField* TDialogPattern::FieldOf(const QString& column) const {
  for (const TDialogField& field : fields_)
    if (field.Column() == column) return &field;
  return nullptr;
}

QString TDialogPattern::InsertStatement() const {
  return InsertInto(QStringList{QStringLiteral("JEDIN")} + WrittenColumns(true));
}

QString TDialogPattern::UpdateStatement() const {
  QStringList assignments;
  for (const QString& column : WrittenColumns(false))
    assignments.append(column + QStringLiteral("=:") + column);
  return QStringLiteral("update ") + ServerSql::CheckedName(Table) + QStringLiteral(" set ") +
         assignments.join(QLatin1Char(',')) + QStringLiteral("\nwhere JEDIN=:JEDIN");
}

QString TDialogPattern::PlaceholderStatement() const {
  QStringList columns{QStringLiteral("JEDIN")};
  if (PlaceholderHasYear) columns.append(QStringLiteral("ROK"));
  for (const TDialogField& field : fields_)
    if (field.PlaceholderValue().isValid() || !field.InsertExpression().isEmpty()) columns.append(field.Column());
  return InsertInto(columns);
}

bool TDialogPattern::Compared(const TDialogField& field) {
  return field.Loaded() && field.Written() && !field.Has(TFieldRule::InsertOnly);
}

QStringList TDialogPattern::ComparedColumns(const QString& rowTable) const {
  QStringList columns;
  for (const TDialogField& field : fields_)
    if (Compared(field) && field.RowTable() == rowTable) columns.append(field.Column());
  return columns;
}

QString TDialogPattern::LockStatement() const {
  const QStringList columns = ComparedColumns();
  return QStringLiteral("select ") + (columns.isEmpty() ? QStringLiteral("JEDIN") : columns.join(QLatin1Char(','))) +
         QStringLiteral("\nfrom ") + ServerSql::CheckedName(Table) + QStringLiteral(" where JEDIN=:JEDIN with lock");
}

QList<const TDialogField*> TDialogPattern::JoinedRows() const {
  QList<const TDialogField*> rows; // the first written field of each
  for (const TDialogField& field : fields_)
    if (!field.OwnRow() && field.Written() && std::none_of(rows.cbegin(), rows.cend(), [&](const TDialogField* f) {
          return f->RowTable() == field.RowTable();
        }))
      rows.append(&field);
  return rows;
}

QString TDialogPattern::JoinedRowCondition(const TDialogField& row) {
  return QStringLiteral("where JEDIN=(") + row.RowKey() + QLatin1Char(')');
}

QString TDialogPattern::JoinedLockStatement(const TDialogField& row) const {
  return QStringLiteral("select ") + ComparedColumns(row.RowTable()).join(QLatin1Char(',')) +
         QStringLiteral("\nfrom ") + ServerSql::CheckedName(row.RowTable()) + QLatin1Char(' ') +
         JoinedRowCondition(row) + QStringLiteral(" with lock");
}

QString TDialogPattern::JoinedUpdateStatement(const TDialogField& row) const {
  QStringList assignments;
  for (const TDialogField& field : fields_)
    if (field.RowTable() == row.RowTable() && field.Written())
      assignments.append(field.Column() + QStringLiteral("=:") + field.Column());
  return QStringLiteral("update ") + ServerSql::CheckedName(row.RowTable()) + QStringLiteral(" set ") +
         assignments.join(QLatin1Char(',')) + QLatin1Char('\n') + JoinedRowCondition(row);
}

QString TDialogPattern::DeleteStatement() const {
  return QStringLiteral("delete from ") + ServerSql::CheckedName(Table) + QStringLiteral(" where JEDIN=:JEDIN");
}

void TDialogPattern::BindFields(TIBQuery& query, bool adding) const {
  if (TIBParam* year = query.FindParam(QStringLiteral("ROK")); year && PerYear) year->SetValue(int(Rok));
  for (const TDialogField& field : fields_)
    if (field.OwnRow() && field.Written() && (adding || !field.Has(TFieldRule::InsertOnly)) &&
        !(adding && !field.InsertExpression().isEmpty()))
      query.ParamByName(field.Column()).SetValue(field.Value());
}

TDialogMode TDialogPattern::Mode() const { return TDialogMode(form_.Tag()); }

void TDialogPattern::SetMode(TDialogMode mode) { form_.SetTag(int(mode)); }

bool TDialogPattern::Adding() const { return Mode() == TDialogMode::Add; }

void TDialogPattern::ClearFields() { ClearFields(false); }

void TDialogPattern::ClearFields(bool keepKept) {
  for (const TDialogField& field : fields_)
    if (!keepKept || !field.Has(TFieldRule::Kept)) field.Clear();
  if (AfterClear) AfterClear();
}

void TDialogPattern::ClearForPass() {
  // Each pass starts without a key: the uniqueness tests of a new row must
  // not leave out the row saved in the pass before.
  jedin_ = 0;
  ClearFields(passes_++ > 0);
}

void TDialogPattern::FormShow() {
  saved_ = false;
  placeholderMade_ = false;
  if (Table.isEmpty()) {
    form_.SetCaption(EditCaption);
  } else if (Adding()) {
    form_.SetCaption(AddCaption);
    if (HasPlaceholder) InsertPlaceholder();
  } else {
    form_.SetCaption(EditCaption);
    LoadRow();
  }
  SetUniqueKeys();
  FocusFirstControl();
  if (Adding()) TellEmptyRequiredLookups(form_);
}

void TDialogPattern::InsertPlaceholder() {
  int key = 0;
  const TWorkOutcome outcome = RunUnitOfWork(*ibt1, [&] {
    key = TakeNextKey(*ib1, Table + QStringLiteral("_ID"));
    ib1->SetSQL(PlaceholderStatement());
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(key);
    if (TIBParam* year = ib1->FindParam(QStringLiteral("ROK"))) year->SetValue(int(Rok));
    for (const TDialogField& field : fields_)
      if (field.PlaceholderValue().isValid() && field.InsertExpression().isEmpty())
        ib1->ParamByName(field.Column()).SetValue(field.PlaceholderValue());
    ib1->ExecSQL();
    if (PlaceholderMade) PlaceholderMade(*ib1);
  });
  if (!outcome) return;
  jedin_ = key;
  placeholderMade_ = true;
}

void TDialogPattern::LoadRow() {
  loaded_.clear();
  RunUnitOfWork(*ibt1, [this] {
    ib1->SetSQL(LoadStatement());
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(jedin_);
    ib1->Open();
    if (ib1->IsEmpty()) {
      ib1->Close();
      ShowNumberedMessage(1012, TMsgDlgType::Information);
      // Closes once shown, as the row is gone.
      QMetaObject::invokeMethod(
          &form_, [this] { form_.SetModalResult(mrCancel); }, Qt::QueuedConnection);
      return;
    }
    for (const TDialogField& field : fields_)
      if (field.Loaded()) field.Load(ib1->FieldByName(field.Column()));
    for (const TDialogField& field : fields_)
      if (Compared(field)) loaded_.insert(field.Column(), ib1->FieldByName(field.Column()).AsVariant());
    ib1->Close();
    if (RowLoaded) RowLoaded(*ib1);
  });
}

bool TDialogPattern::LockLoadedRow(bool& changed) {
  // A lock conflict (another workstation is saving the row) fails here and
  // is reported like any database error of the save.
  ib1->SetSQL(LockStatement());
  ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(jedin_);
  ib1->Open();
  const bool found = !ib1->IsEmpty();
  changed = found && ChangedSinceLoad(QString());
  ib1->Close();
  for (const TDialogField* row : JoinedRows()) {
    if (!found || changed) break;
    ib1->SetSQL(JoinedLockStatement(*row));
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(jedin_);
    ib1->Open();
    changed = ChangedSinceLoad(row->RowTable());
    ib1->Close();
  }
  return found;
}

bool TDialogPattern::ChangedSinceLoad(const QString& rowTable) const {
  // A joined row that is gone holds nothing: changed unless nothing was loaded from it.
  const bool gone = ib1->IsEmpty();
  for (const QString& column : ComparedColumns(rowTable)) {
    const QVariant loaded = loaded_.value(column);
    if (gone ? !loaded.isNull() : ib1->FieldByName(column).AsVariant() != loaded) return true;
  }
  return false;
}

bool TDialogPattern::LockOwners() {
  for (const TDialogField& field : fields_) {
    if (field.OwnerTable().isEmpty()) continue;
    ib1->SetSQL(QStringLiteral("select JEDIN from ") + ServerSql::CheckedName(field.OwnerTable()) +
                QStringLiteral(" where JEDIN=:JEDIN with lock"));
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(field.Value());
    ib1->Open();
    const bool found = !ib1->IsEmpty();
    ib1->Close();
    if (!found) return false;
  }
  return true;
}

void TDialogPattern::WriteJoinedRows(int key) {
  for (const TDialogField* row : JoinedRows()) {
    ib1->SetSQL(JoinedUpdateStatement(*row));
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(key);
    for (const TDialogField& field : fields_)
      if (field.RowTable() == row->RowTable() && field.Written())
        ib1->ParamByName(field.Column()).SetValue(field.Value());
    ib1->ExecSQL();
  }
}

void TDialogPattern::SetUniqueKeys() {
  // A new row leaves out no row (its own placeholder only, which exists).
  const QVariant key = Adding() && !placeholderMade_ ? QVariant() : QVariant(jedin_);
  for (TIBEdit* edit : form_.findChildren<TIBEdit*>())
    if (edit->UniqueTest()) edit->SetUniqueColumnValue(key);
  for (const TDialogField& field : fields_)
    if (field.Has(TFieldRule::UniqueInYear))
      if (auto* edit = qobject_cast<TIBEdit*>(field.Control()))
        edit->SetUAdditionalToWhere({QStringLiteral("and ROK=:ROK"), {{QStringLiteral("ROK"), int(Rok)}}});
}

void TDialogPattern::FocusFirstControl() {
  for (QWidget* widget : tabOrder_)
    if (widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && widget->isVisibleTo(&form_)) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
}

bool TDialogPattern::FormKeyDown(QKeyEvent* event) {
  if (event->modifiers() & kHeldModifiers) return false;
  switch (event->key()) {
  case Qt::Key_Escape:
    btnNezapisClick();
    return true;
  case Qt::Key_F11:
    if (btnDalsi->isVisible()) btnDalsiClick();
    return true;
  case Qt::Key_F12:
    btnZapisClick(btnZapis);
    return true;
  default:
    return false;
  }
}

void TDialogPattern::btnZapisClick(QObject* sender) {
  const int result = sender == btnZapis ? mrOk : mrSaveAndContinue;
  if (Mode() == TDialogMode::View) { // nothing to write
    form_.SetModalResult(result);
    return;
  }
  if (CheckRequiredInputs(form_)) return;
  if (CheckEntries && !CheckEntries()) return;
  if (Table.isEmpty()) {
    saved_ = true;
    form_.SetModalResult(result);
    return;
  }
  const bool adding = Adding() && !placeholderMade_;
  int key = jedin_;
  bool gone = false, changed = false;
  // A row this dialog loaded is compared; its own placeholder is not.
  const bool loaded = !adding && !placeholderMade_;
  const TWorkOutcome outcome = RunUnitOfWork(*ibt1, [&] {
    gone = !LockOwners();
    if (gone) return;
    if (loaded) {
      const bool found = LockLoadedRow(changed);
      if (found && !changed && RowsUnchanged) changed = !RowsUnchanged(*ib1);
      gone = !found || changed; // either way nothing is written over
      if (gone) return;
    }
    if (adding) key = TakeNextKey(*ib1, Table + QStringLiteral("_ID"));
    ib1->SetSQL(adding ? InsertStatement() : UpdateStatement());
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(key);
    BindFields(*ib1, adding);
    ib1->ExecSQL();
    // The row was deleted meanwhile (by another workstation): nothing was
    // written, and the user is told so instead of the save counting as done.
    gone = !adding && ib1->RowsAffected() == 0;
    if (gone) return;
    WriteJoinedRows(key);
    if (RowWritten) RowWritten(*ib1, key);
  });
  if (!outcome || gone) {
    if (changed)
      RedMessageDlg(ChangedByOtherMessage, TMsgDlgType::Warning, mbOK, 0, mrOk);
    else if (gone)
      ShowNumberedMessage(1012, TMsgDlgType::Information);
    // The entries stay for the user to correct or redo; nothing was written.
    if (SaveFailed) SaveFailed(gone ? 1012 : outcome.Reported);
    return;
  }
  jedin_ = key;
  saved_ = true;
  form_.SetModalResult(result);
}

void TDialogPattern::btnDalsiClick() {
  btnDalsi->setFocusPolicy(Qt::StrongFocus);
  btnZapisClick(btnDalsi);
}

void TDialogPattern::btnNezapisClick() { form_.SetModalResult(mrCancel); }

void TDialogPattern::FormClose() {
  if (!placeholderMade_ || saved_) return;
  // The placeholder goes on every close that did not save, also after an error.
  RunUnitOfWork(*ibt1, [this] {
    ib1->SetSQL(DeleteStatement());
    ib1->ParamByName(QStringLiteral("JEDIN")).SetValue(jedin_);
    ib1->ExecSQL();
  });
  placeholderMade_ = false;
}

int RunAddPasses(TForm& dialog, const std::function<void()>& beforePass) {
  TDialogPattern& pattern = *TDialogPattern::Of(&dialog);
  int result;
  do {
    if (beforePass) beforePass();
    pattern.ClearForPass();
    pattern.SetMode(TDialogMode::Add);
    result = dialog.ShowModal();
  } while (result == mrSaveAndContinue);
  return result;
}

int RunEditPasses(TForm& dialog, TIBQuery& rows, const std::function<void()>& beforePass) {
  TDialogPattern& pattern = *TDialogPattern::Of(&dialog);
  int result;
  do {
    if (beforePass) beforePass();
    pattern.ClearForPass();
    pattern.SetJedin(rows.FieldByName(QStringLiteral("JEDIN")).AsInteger());
    pattern.SetMode(TDialogMode::Edit);
    result = dialog.ShowModal();
    if (result == mrSaveAndContinue) rows.Next();
  } while (result == mrSaveAndContinue && !rows.Eof());
  return result;
}
