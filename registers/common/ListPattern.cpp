#include "registers/common/ListPattern.h"
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/MyUnitsForms.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "controls/IBCurrencyEdit.h"
#include "controls/IBDate.h"
#include "controls/UxPlacemnt.h"
#include "core/ui/Form.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "registers/common/DialogPattern.h"
#include "registers/common/PatternKeys.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace {
const QString kListPatternName = QStringLiteral("listPattern");
} // namespace

QList<TQPLColumn*> AddListColumns(TDbGridQPL& grid, std::initializer_list<TListColumn> columns) {
  QList<TQPLColumn*> added;
  for (const TListColumn& c : columns) {
    TQPLColumn* column = grid.AddColumn(QString::fromLatin1(c.Field), QString::fromUtf8(c.Title), c.Width);
    column->OrderBy = QString::fromLatin1(c.OrderBy);
    if (c.CentredTitle) column->TitleAlignment = Qt::AlignHCenter;
    added.append(column);
  }
  return added;
}

void TListQuery::Where(const QString& condition) {
  Lines.append((HasWhere ? QStringLiteral("and ") : QStringLiteral("where ")) + condition);
  HasWhere = true;
}

TListPattern::TListPattern(TForm& form, TListButtons buttons, quint16 rok) : QObject(&form), Rok(rok), form_(form) {
  setObjectName(kListPatternName);
  BuildComponents(buttons);
}

TListPattern::TListPattern(TListPattern& host, QWidget& page, const QString& gridName)
    : QObject(&page), tb(host.tb), btnPridaj(host.btnPridaj), btnOprav(host.btnOprav), btnVymaz(host.btnVymaz),
      btnTlac(host.btnTlac), btnSmer(host.btnSmer), btnHladaj(host.btnHladaj), btnOznacene(host.btnOznacene),
      btnOznac(host.btnOznac), btnOdznac(host.btnOdznac), btnRefresh(host.btnRefresh), fp(host.fp), Rok(host.Rok),
      form_(host.form_), host_(&host) {
  auto* layout = new QVBoxLayout(&page);
  layout->setContentsMargins(0, 0, 0, 0);
  BuildList(page, gridName);
  layout->addWidget(gr1);
  host.pages_.append(this);
}

TListPattern::~TListPattern() = default;

TListPattern* TListPattern::Of(const QWidget* form) {
  return form ? form->findChild<TListPattern*>(kListPatternName, Qt::FindDirectChildrenOnly) : nullptr;
}

TToolButton* TListPattern::AddButton(TListButton which, TListButtons buttons, const char* name, int image, bool check) {
  if (!buttons.testFlag(which)) return nullptr;
  return tb->AddButton(QString::fromLatin1(name), image, check);
}

void TListPattern::BuildComponents(TListButtons buttons) {
  auto* layout = new QVBoxLayout(&form_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  tb = new TToolBar(&form_);
  tb->setObjectName(QStringLiteral("tb"));
  tb->setIconSize(QSize(32, 32));
  tb->SetImages(ImageList32());
  btnPridaj = AddButton(lbPridaj, buttons, "btnPridaj", 0);
  btnOprav = AddButton(lbOprav, buttons, "btnOprav", 1);
  btnVymaz = AddButton(lbVymaz, buttons, "btnVymaz", 2);
  if (buttons & (lbTlac | lbSmer)) tb->addSeparator();
  btnTlac = AddButton(lbTlac, buttons, "btnTlac", 3);
  btnSmer = AddButton(lbSmer, buttons, "btnSmer", 5);
  if (buttons & (lbFilter | lbHladaj)) tb->addSeparator();
  btnFilter = AddButton(lbFilter, buttons, "btnFilter", 17, true);
  btnHladaj = AddButton(lbHladaj, buttons, "btnHladaj", 16);
  if (buttons & lbOznacene) {
    tb->addSeparator();
    btnOznacene = AddButton(lbOznacene, buttons, "btnOznacene", 7, true);
    btnOznac = tb->AddButton(QStringLiteral("btnOznac"), 9);
    btnOdznac = tb->AddButton(QStringLiteral("btnOdznac"), 10);
  }
  if (buttons & (lbRefresh | lbSave | lbInfo)) tb->addSeparator();
  btnRefresh = AddButton(lbRefresh, buttons, "btnRefresh", 4);
  btnSave = AddButton(lbSave, buttons, "btnSave", 15);
  btnInfo = AddButton(lbInfo, buttons, "btnInfo", 12);
  layout->addWidget(tb);

  if (buttons & lbFilter) {
    auto* panel = new QFrame(&form_);
    panel->setObjectName(QStringLiteral("pnlFilter"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    new QHBoxLayout(panel);
    panel->hide();
    pnlFilter = panel;
    layout->addWidget(panel);
    // Leaving the panel refreshes the list with the filter as it now stands.
    // The focus also moves while the form's widgets are destroyed: the
    // connection ends as the form starts going, and a hidden form refreshes
    // nothing.
    const QMetaObject::Connection leaving =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
          if (form_.isVisible() && old && pnlFilter->isAncestorOf(old) && !(now && pnlFilter->isAncestorOf(now)) &&
              now && now->window() == &form_)
            btnRefreshClick();
        });
    connect(&form_, &TForm::Destroying, this, [leaving] { QObject::disconnect(leaving); });
  }

  BuildList(form_, QStringLiteral("gr1"));
  layout->addWidget(gr1, 1);

  fp = new TUxFormPlacement(&form_);
  fp->setObjectName(QStringLiteral("fp"));
  fp->SetOptions(fpPosition);
  fp->SetUseRegistry(true);

  // The buttons act on the active list (the current tab's in a form of several).
  auto click = [](TToolButton* button, auto handler) {
    if (button) QObject::connect(button, &QToolButton::clicked, button, handler);
  };
  click(btnPridaj, [this] { Active().btnPridajClick(); });
  click(btnOprav, [this] { Active().btnOpravClick(); });
  click(btnVymaz, [this] { Active().btnVymazClick(); });
  click(btnTlac, [this] { Active().btnTlacClick(); });
  click(btnSmer, [this] { Active().btnSmerClick(); });
  click(btnFilter, [this] { btnFilterClick(btnFilter); });
  click(btnHladaj, [this] { Active().gr1->Find(); });
  click(btnOznacene, [this] { Active().btnOznaceneClick(btnOznacene); });
  click(btnOznac, [this] { Active().gr1->CheckAll(); });
  click(btnOdznac, [this] { Active().gr1->UncheckAll(); });
  click(btnRefresh, [this] { Active().btnRefreshClick(); });
  click(btnSave, [this] {
    if (Save) Save();
  });
  click(btnInfo, [this] { btnInfoClick(); });
}

void TListPattern::BuildList(QWidget& parent, const QString& gridName) {
  gr1 = new TDbGridQPL(&parent);
  gr1->setObjectName(gridName);
  ibt1 = new TIBTransaction(MainDatabase(), TIBTransactionKind::ReadOnlyReadCommitted, this);
  ibt1->setObjectName(QStringLiteral("ibt1"));
  ib1 = new TIBQuery(this);
  ib1->setObjectName(QStringLiteral("ib1"));
  ib1->SetDatabase(MainDatabase());
  ib1->SetTransaction(ibt1);
  connect(gr1, &TDbGridBase::OnColumnsWidened, this, [this](int extra) { GrowForm(extra); });
  gr1->SetKeyField(QStringLiteral("jedin"));
  gr1->SetKeyFieldType(TGridKeyFieldType::sktInteger);
  gr1->SetCheckEnabled(true);
  gr1->SetCheckedColor(clYellow);
  gr1->SetClickTitleEnabled(true);
  gr1->SetReadOnly(true);
  gr1->SetOptions(gr1->Options() | dgRowSelect);
  gr1->SetDataSet(ib1);
  connect(gr1, &TDbGridQPL::OnDisplayGrid, this, &TListPattern::gr1DisplayGrid);
  connect(gr1, &TDbGridQPL::OnKeyDown, this, &TListPattern::gr1KeyDown);
  connect(gr1, &TDbGridBase::OnClickEnter, this, &TListPattern::gr1ClickEnter);
  connect(gr1, &QAbstractItemView::doubleClicked, this, [this] { gr1ClickEnter(); });
}

QStatusBar* TListPattern::AddStatusBar() {
  if (!sb) {
    sb = new QStatusBar(&form_);
    sb->setObjectName(QStringLiteral("sb"));
    sb->setSizeGripEnabled(false);
    form_.layout()->addWidget(sb);
  }
  return sb;
}

void TListPattern::FormCreate(const QString& caption, QSize design) {
  designCaption_ = caption;
  ShowYear();
  form_.SetKeyPreview(true);
  form_.resize(design);
  form_.setMinimumSize(design);
  form_.setMaximumWidth(design.width());
  gr1->SetActiveTitleIndex(1);
  gr1->Loaded();
  for (TListPattern* page : pages_) {
    page->gr1->SetActiveTitleIndex(1);
    page->gr1->Loaded();
  }
  SetDefaultToolbarHints(*tb);
  ClearFilter();
}

void TListPattern::GrowForm(int extra) {
  QWidget& form = form_;
  const QScreen* screen = form.screen();
  if (!screen) return;
  const QRect available = screen->availableGeometry();
  const int frame = form.frameGeometry().width() - form.width();
  const int width = std::max(form.width(), std::min(form.width() + extra, available.width() - frame));
  form.setMaximumWidth(std::max(form.maximumWidth(), width));
  form.resize(width, form.height());
  // A form placed near the right edge moves left rather than leave the screen.
  const int overshoot = form.frameGeometry().right() - available.right();
  if (overshoot > 0) form.move(std::max(available.left(), form.x() - overshoot), form.y());
}

void TListPattern::ShowYear() {
  form_.SetCaption(designCaption_.contains(QLatin1String("%d")) ? FormatIntegers(designCaption_, {Rok})
                                                                : designCaption_);
}

void TListPattern::ClearFilter() {
  if (!pnlFilter) return;
  for (QWidget* control : pnlFilter->findChildren<QWidget*>()) {
    if (auto* combo = dynamic_cast<TIBComboBox*>(control))
      combo->ClearValue();
    else if (auto* date = dynamic_cast<TIBDate*>(control))
      date->Clear();
    else if (auto* number = dynamic_cast<TIBCurrencyEdit*>(control))
      number->Clear();
    else if (auto* box = dynamic_cast<QCheckBox*>(control))
      box->setChecked(false);
    else if (auto* text = dynamic_cast<QLineEdit*>(control); text && !dynamic_cast<QComboBox*>(text->parentWidget()))
      text->clear();
  }
}

void TListPattern::FormActivate() {
  if (!Active().ib1->Active()) Active().btnRefreshClick();
}

bool TListPattern::FormKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !(event->modifiers() & kHeldModifiers)) {
    form_.SetModalResult(mrCancel);
    return true;
  }
  return false;
}

void TListPattern::btnRefreshClick() { gr1->DisplayGrid(); }

void TListPattern::AddMarkedCondition(TListQuery& query) {
  if (!btnOznacene || !btnOznacene->Down()) return;
  if (gr1->CheckedCount() < 1) {
    ReleaseOznacene();
    return;
  }
  QString condition;
  // Past the grid's limit of marks it has said why: the button is released
  // so that the full list is not taken for the marked rows.
  if (!gr1->GetCheckedFilter(MarkedColumn.isEmpty() ? QStringLiteral("a.") : QString(), condition, MarkedColumn)) {
    ReleaseOznacene();
    return;
  }
  if (!condition.isEmpty()) query.Where(condition.trimmed());
}

void TListPattern::ReleaseOznacene() {
  btnOznacene->SetDown(false);
  btnOznaceneClick(&form_);
}

void TListPattern::gr1DisplayGrid() {
  if (BeforeRefresh && !BeforeRefresh()) return;
  if (ib1->Active() && !ib1->IsEmpty()) keptKey_ = ib1->FieldByName(QStringLiteral("jedin")).AsInteger();
  RunUnitOfWork(
      *ibt1,
      [this] {
        TListQuery query;
        if (Select) Select(query);
        // A delete tells a row another workstation changed since this load.
        if (Grouping.isEmpty()) AddRowVersion(query.Lines, Table);
        if (PerYear) {
          query.Where(QStringLiteral("a.rok=:ROK"));
          query.Params.insert(QStringLiteral("ROK"), int(Rok));
        }
        AddMarkedCondition(query);
        if (Filter && btnFilter && btnFilter->Down()) Filter(query);
        if (!Grouping.isEmpty()) query.Add(Grouping);
        query.Add(QStringLiteral("order by"));
        QString order;
        const QString& smer = host_->Smer;
        if (gr1->ActiveTitleIndex() != 0) gr1->GetOrderBy(smer, order);
        query.Add(order.isEmpty() ? DefaultOrder + smer : order);
        ib1->SetSQL(query.Text());
        for (auto it = query.Params.begin(); it != query.Params.end(); ++it)
          ib1->ParamByName(it.key()).SetValue(it.value());
        TraceQuerySQL(*ib1, ib1->SQL());
        ib1->Open();
        if (AfterOpen) AfterOpen();
        LocateKey(keptKey_);
      },
      TWorkEnd::KeepOpen);
}

bool TListPattern::LocateKey(int key) { return key != 0 && ib1->Active() && ib1->Locate(QStringLiteral("jedin"), key); }

void TListPattern::btnPridajClick() {
  if (!CreateDialog) return;
  std::unique_ptr<TForm> dialog = CreateDialog();
  TDialogPattern* pattern = TDialogPattern::Of(dialog.get());
  pattern->Rok = Rok;
  if (PrepareAdd) PrepareAdd(*dialog);
  const int result = RunAddPasses(*dialog);
  btnRefreshClick();
  if (result == mrOk) LocateKey(pattern->Jedin());
}

void TListPattern::btnOpravClick() {
  if (!ib1->Active() || ib1->IsEmpty() || !CreateDialog) return;
  std::unique_ptr<TForm> dialog = CreateDialog();
  TDialogPattern* pattern = TDialogPattern::Of(dialog.get());
  pattern->Rok = Rok;
  RunEditPasses(*dialog, *ib1);
  btnRefreshClick();
}

void TListPattern::btnVymazClick() {
  if (DeleteMarkedRecords(*gr1, Table) && btnOznacene && btnOznacene->Down()) ReleaseOznacene();
}

void TListPattern::btnTlacClick() {
  if (Print) Print();
}

void TListPattern::btnInfoClick() {
  if (Info) Info();
}

void TListPattern::btnOznaceneClick(QObject* sender) {
  CheckShowMarkedButton(*gr1, *btnOznacene);
  if (sender != &form_) btnRefreshClick();
}

void TListPattern::btnSmerClick() {
  // The picture tells the direction; a list without the button alternates its text.
  QString& smer = host_->Smer;
  const bool toDescending = btnSmer ? btnSmer->ImageIndex() == 5 : smer != QLatin1String(" DESC");
  if (btnSmer) btnSmer->SetImageIndex(toDescending ? 6 : 5);
  smer = toDescending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
  btnRefreshClick();
}

void TListPattern::btnFilterClick(QObject* sender) {
  if (!btnFilter) return;
  if (sender != btnFilter) btnFilter->SetDown(!btnFilter->Down());
  const bool down = btnFilter->Down();
  pnlFilter->setVisible(down);
  btnFilter->SetImageIndex(down ? 18 : 17);
  if (down && form_.isVisible()) {
    for (QWidget* control : pnlFilter->findChildren<QWidget*>())
      if (control->focusPolicy() & Qt::TabFocus) {
        control->setFocus(Qt::TabFocusReason);
        break;
      }
  } else if (!down) {
    gr1->setFocus();
  }
  btnRefreshClick();
}

void TListPattern::gr1ClickEnter() {
  if (form_.Tag() != 1) {
    btnOpravClick();
    return;
  }
  if (ib1->Active() && !ib1->IsEmpty()) form_.SetModalResult(mrOk);
}

bool TListPattern::Enabled(const TToolButton* button) const { return button && button->isEnabled(); }

void TListPattern::gr1KeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  if (key == 0 || (modifiers & kHeldModifiers)) return;
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  const int pressed = key;
  key = 0; // consumed unless no branch takes it
  switch (pressed) {
  case Qt::Key_Delete:
  case Qt::Key_F8:
    if (Enabled(btnVymaz)) btnVymazClick();
    return;
  case Qt::Key_A:
    if (btnSmer) btnSmerClick();
    return;
  case Qt::Key_F:
    if (Enabled(btnFilter)) btnFilterClick(gr1);
    return;
  case Qt::Key_I:
    if (btnInfo) btnInfoClick();
    return;
  case Qt::Key_O:
  case Qt::Key_F4:
    if (Enabled(btnOprav)) btnOpravClick();
    return;
  case Qt::Key_P:
  case Qt::Key_F2:
    if (Enabled(btnPridaj)) btnPridajClick();
    return;
  case Qt::Key_R:
    btnRefreshClick();
    return;
  case Qt::Key_T:
    if (Enabled(btnTlac) && btnTlac->isVisible()) btnTlacClick();
    return;
  case Qt::Key_Asterisk:
  case Qt::Key_Slash:
    if (keypad && btnOznacene) {
      btnOznacene->SetDown(!btnOznacene->Down());
      btnOznaceneClick(gr1);
      return;
    }
    break;
  default:
    break;
  }
  key = pressed;
}
