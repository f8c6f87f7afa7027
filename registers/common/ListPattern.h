#pragma once
#include "controls/DbGridQPL.h" // every register sets up its columns on gr1
#include <QtCore/QFlags>
#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QSize>
#include <QtCore/QStringList>
#include <QtCore/QVariantMap>
#include <functional>
#include <initializer_list>
#include <memory>

class QKeyEvent;
class QStatusBar;
class QWidget;
class TForm;
class TIBQuery;
class TIBTransaction;
class TToolBar;
class TToolButton;
class TUxFormPlacement;

// The tool buttons a list form may have, in their fixed order on the bar.
enum TListButton {
  lbPridaj = 0x1,
  lbOprav = 0x2,
  lbVymaz = 0x4,
  lbTlac = 0x8,
  lbSmer = 0x10,
  lbFilter = 0x20,
  lbHladaj = 0x40,
  lbOznacene = 0x80, // with btnOznac and btnOdznac
  lbRefresh = 0x100,
  lbSave = 0x200,
  lbInfo = 0x400,
};
Q_DECLARE_FLAGS(TListButtons, TListButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TListButtons)
// The buttons every list form has.
constexpr TListButtons kStandardListButtons =
    TListButtons(lbPridaj | lbOprav | lbVymaz | lbSmer | lbOznacene | lbRefresh);

// The list query being built by a refresh: the lines of its text and its
// bound values. Where() adds a condition on its own line, after "where "
// when no condition precedes it, else after "and ".
struct TListQuery {
  QStringList Lines;
  QVariantMap Params;
  bool HasWhere = false;
  void Add(const QString& line) { Lines.append(line); }
  void Where(const QString& condition);
  QString Text() const { return Lines.join(QLatin1Char('\n')); }
};

// One designed column of a register's grid: its field, UTF-8 title, width,
// the order-by expression of a click on its title ("" sorts nothing) and
// whether the title is centred.
struct TListColumn {
  const char* Field;
  const char* Title;
  int Width;
  const char* OrderBy;
  bool CentredTitle = false;
};
// Adds the columns to the grid in their order; returns them in that order
// for the register's own touches (formats, cell alignment).
QList<TQPLColumn*> AddListColumns(TDbGridQPL& grid, std::initializer_list<TListColumn> columns);

// The behaviour of every register's list form, written once. A list form
// derives from TListForm (ListForm.h), which creates its TListPattern `list`
// and hands the form's activation and keys here; the form describes its
// query, columns and dialog:
//
//   class TfrmCClenenieClenov : public TListForm {
//   public:
//     TfrmCClenenieClenov(QWidget* owner, quint16 rok) : TListForm(owner, kStandardListButtons | lbHladaj, rok) {
//       list.Table = QStringLiteral("c_clenenie_clenov");
//       list.Select = [](TListQuery& q) { q.Add(QStringLiteral("select a.jedin,a.nazov from c_clenenie_clenov a")); };
//       list.CreateDialog = [this] { return std::make_unique<TfrmCClenenieClenovPridaj>(this); };
//       AddListColumns(*list.gr1, {{"NAZOV", "Názov skupiny členov", 353, "a.nazov"}});
//       list.FormCreate(QStringLiteral("Číselník členenia členov"), QSize(395, 343));
//     }
//   };
//
// The pattern builds the named components (tool bar `tb` with its buttons,
// optional filter panel `pnlFilter`, grid `gr1`, query `ib1` in the
// read-only transaction `ibt1`, placement `fp`, optional status bar `sb`) and
// runs the refresh that keeps the current key, the add, edit and delete
// loops, sort direction, only-marked rows, the filter panel, the grid's keys
// and picker mode (the form's Tag 1: Enter or a double-click closes the form
// with result 1 and the caller reads JEDIN of `ib1`).
class TListPattern : public QObject {
  Q_OBJECT
public:
  // `rok`: the year the list works in, handed by its opener.
  TListPattern(TForm& form, TListButtons buttons, quint16 rok);
  // A further list of a form that holds several (TListTabs): its own grid
  // (named `gridName`), query, transaction, table and dialog on `page`; the
  // tool bar, its sort direction, the year and the placement are `host`'s,
  // whose tool buttons act on the active list. It has no filter panel.
  TListPattern(TListPattern& host, QWidget& page, const QString& gridName);
  ~TListPattern() override;
  // The pattern of a list form, nullptr for another form.
  static TListPattern* Of(const QWidget* form);

  TForm& Form() const { return form_; }

  // Components, named as the forms name them; absent buttons are null.
  TToolBar* tb;
  TToolButton *btnPridaj = nullptr, *btnOprav = nullptr, *btnVymaz = nullptr, *btnTlac = nullptr, *btnSmer = nullptr,
              *btnFilter = nullptr, *btnHladaj = nullptr, *btnOznacene = nullptr, *btnOznac = nullptr,
              *btnOdznac = nullptr, *btnRefresh = nullptr, *btnSave = nullptr, *btnInfo = nullptr;
  QWidget* pnlFilter = nullptr;
  TDbGridQPL* gr1;
  TIBQuery* ib1;
  TIBTransaction* ibt1;
  TUxFormPlacement* fp;
  QStatusBar* sb = nullptr;

  // The sort direction: empty until the first A, then " DESC", " ASC", ...
  // (one for the form: a further list uses its host's).
  QString Smer;
  // The year the list works in: its per-year rows, its caption, and the year
  // its dialogs, pickers and prints get.
  quint16 Rok;

  // What the register supplies.
  // The table that delete acts on.
  QString Table;
  // The fixed select with its joins (alias a) and the scope condition.
  std::function<void(TListQuery&)> Select;
  // The table keeps rows per year: the list shows the rows of its year
  // ("a.rok=:ROK" after the select).
  bool PerYear = false;
  // The filter clauses, asked only while btnFilter is down.
  std::function<void(TListQuery&)> Filter;
  // The column the marked rows restrict: by default the row's own key
  // ("a." and the grid's key field); a list of sums whose rows are keyed
  // by what they group names the rows' column that key is ("a.c_ceniny").
  QString MarkedColumn;
  // The lines after the conditions and before the order of a grouping
  // query ("group by b.nazov,b.jedin"); empty for a plain list.
  QString Grouping;
  // The order when no column's order is chosen (with the direction).
  QString DefaultOrder = QStringLiteral("a.jedin");
  // Status-bar sums etc. after the query opened, before the kept key is located.
  std::function<void()> AfterOpen;
  // Asked before each refresh; false leaves the list as it is (a list whose
  // rows follow another list refreshes that one first).
  std::function<bool()> BeforeRefresh;
  // The add/edit dialog (a form with a TDialogPattern); it works in the list's year.
  std::function<std::unique_ptr<TForm>()> CreateDialog;
  // Run once on a new dialog before the add loop (child registers copy their parent key).
  std::function<void(TForm& dialog)> PrepareAdd;
  std::function<void()> Print;
  std::function<void()> Info;
  std::function<void()> Save;

  // Finishes creation: the caption (a design text holding "%d" shows the
  // list's year), fixed width and minimum height of `design`, the grid's
  // saved columns, the standard hints, and the filter panel's controls
  // cleared (lookup combos, dates, numbers, texts, check boxes).
  void FormCreate(const QString& caption, QSize design);
  // Formats the design caption with the list's year.
  void ShowYear();
  // Adds the status bar `sb` under the grid (registers that show sums).
  QStatusBar* AddStatusBar();
  // The form's hooks.
  void FormActivate();
  bool FormKeyDown(QKeyEvent* event);

  // Handlers (public: other forms click them, as openers and pickers do).
  void btnRefreshClick();
  void gr1DisplayGrid();
  void btnPridajClick();
  void btnOpravClick();
  void btnVymazClick();
  void btnTlacClick();
  void btnInfoClick();
  // `sender` the form: only the picture follows the button (no refresh).
  void btnOznaceneClick(QObject* sender);
  void btnSmerClick();
  // Any sender but btnFilter toggles the button first (filtered opening).
  void btnFilterClick(QObject* sender);
  void gr1ClickEnter();
  void gr1KeyDown(int& key, Qt::KeyboardModifiers modifiers);

  // The list the tool bar, the form's activation and marks act on: this
  // one, or the further list made active (the current tab's).
  TListPattern& Active() const { return *active_; }
  void SetActive(TListPattern& list) { active_ = &list; }

  // The key the next refresh keeps (the current row's JEDIN at its start).
  int KeptKey() const { return keptKey_; }
  // Locates the key in ib1's column jedin; false when absent.
  bool LocateKey(int key);

private:
  TToolButton* AddButton(TListButton which, TListButtons buttons, const char* name, int image, bool check = false);
  void BuildComponents(TListButtons buttons);
  void AddMarkedCondition(TListQuery& query);
  void ReleaseOznacene();
  void ClearFilter();
  bool Enabled(const TToolButton* button) const;

  void BuildList(QWidget& parent, const QString& gridName);
  // Widens the form by `extra` pixels (columns grew to fit their text),
  // within the screen it is on.
  void GrowForm(int extra);

  TForm& form_;
  TListPattern* host_ = this;
  TListPattern* active_ = this;
  QList<TListPattern*> pages_;
  QString designCaption_;
  int keptKey_ = 0;
};
