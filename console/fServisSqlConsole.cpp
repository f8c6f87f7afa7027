// The service form's SQL console page.
#include "app/AppContext.h"
#include "app/MyUnits.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "app/UnitOfWork.h"
#include "console/CatalogueQueries.h"
#include "console/editor/CodeMemo.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "console/editor/text/CodeEditKeyStreaming.h"
#include "console/fServis.h"
#include "console/fServisParts.h"
#include "controls/DbGridQPL.h"
#include "controls/PosPanBase.h"
#include "controls/UxPlacemnt.h"
#include "db/IBError.h"
#include "db/IBQuery.h"
#include "db/IBTransaction.h"
#include "db/ServerSql.h"
#include "platform/MessageDialogs.h"
#include "platform/base/Registry.h"
#include "util/UxMemDS.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QSaveFile>
#include <QtCore/QScopeGuard>
#include <QtCore/QSet>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>

namespace {

const QString sqlCommandValue = QStringLiteral("SQLCommand");

// The console's text is kept in a file of its own beside the settings store:
// inside the store every other setting's write rewrote it (with 5 MB of text,
// opening and closing the form took seconds).
QString SqlCommandFilePath() {
  return QFileInfo(TRegistry::RootFilePath(TRegRoot::CurrentUser)).dir().filePath(QStringLiteral("sql-console.sql"));
}

bool WriteSqlCommandFile(const QString& text) {
  const QString path = SqlCommandFilePath();
  QSaveFile file(path);
  return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 &&
         file.commit();
}
const QString statementDone = QStringLiteral("OK. SQL príkaz úspešne vykonaný.");
const QString statementFailed = QStringLiteral("CHYBA!!! Neplatný príkaz jazyka SQL.");

// The console's key bindings: the standard ones with context help on Ctrl+F1
// instead of F1.
const QString consoleKeystrokes = QStringLiteral("AddedKeystrokes\n"
                                                 "Command=ecContextHelp ShortCut=16496\n"
                                                 "RemovedKeystrokes\n"
                                                 "Command=ecContextHelp ShortCut=112\n");

// Widest a result column starts, in pixels; the user widens it by dragging.
constexpr int kMaxResultColumnWidth = 300;

// The words the server refuses as bare names; a table created under one of
// them in quotes is written in quotes again.
bool IsReservedWord(const QString& name) {
  static const QSet<QString> words = [] {
    const QString list = QStringLiteral(
        "ADD ADMIN ALL ALTER AND ANY AS AT AVG BEGIN BETWEEN BIGINT BIT_LENGTH BLOB BOOLEAN BOTH BY CASE CAST CHAR "
        "CHAR_LENGTH CHARACTER CHARACTER_LENGTH CHECK CLOSE COLLATE COLUMN COMMIT CONNECT CONSTRAINT CORR COUNT "
        "COVAR_POP COVAR_SAMP CREATE CROSS CURRENT CURRENT_CONNECTION CURRENT_DATE CURRENT_ROLE CURRENT_TIME "
        "CURRENT_TIMESTAMP CURRENT_TRANSACTION CURRENT_USER CURSOR DATE DAY DEC DECIMAL DECLARE DEFAULT DELETE "
        "DELETING DETERMINISTIC DISCONNECT DISTINCT DOUBLE DROP ELSE END ESCAPE EXECUTE EXISTS EXTERNAL EXTRACT FALSE "
        "FETCH FILTER FLOAT FOR FOREIGN FROM FULL FUNCTION GDSCODE GLOBAL GRANT GROUP HAVING HOUR IN INDEX INNER "
        "INSENSITIVE INSERT INSERTING INT INTEGER INTO IS JOIN LEADING LEFT LIKE LONG LOWER MAX MERGE MIN MINUTE "
        "MONTH NATIONAL NATURAL NCHAR NO NOT NULL NUMERIC OCTET_LENGTH OF OFFSET ON ONLY OPEN OR ORDER OUTER OVER "
        "PARAMETER PLAN POSITION POST_EVENT PRECISION PRIMARY PROCEDURE RDB$DB_KEY RDB$RECORD_VERSION REAL "
        "RECORD_VERSION RECREATE RECURSIVE REFERENCES REGR_AVGX REGR_AVGY REGR_COUNT REGR_INTERCEPT REGR_R2 "
        "REGR_SLOPE REGR_SXX REGR_SXY REGR_SYY RELEASE RETURN RETURNING_VALUES RETURNS REVOKE RIGHT ROLLBACK ROW "
        "ROW_COUNT ROWS SAVEPOINT SCROLL SECOND SELECT SENSITIVE SET SIMILAR SMALLINT SOME SQLCODE SQLSTATE START "
        "STDDEV_POP STDDEV_SAMP SUM TABLE THEN TIME TIMESTAMP TO TRAILING TRIGGER TRIM TRUE UNION UNIQUE UNKNOWN "
        "UPDATE UPDATING UPPER USER USING VALUE VALUES VAR_POP VAR_SAMP VARCHAR VARIABLE VARYING VIEW WHEN WHERE "
        "WHILE WITH YEAR");
    const QStringList split = list.split(u' ');
    return QSet<QString>(split.begin(), split.end());
  }();
  return words.contains(name);
}

} // namespace

QString TfrmServis::TableReference(const QString& name) {
  static const QRegularExpression plain(QStringLiteral("^[A-Z][A-Z0-9_$]*$"));
  return plain.match(name).hasMatch() && !IsReservedWord(name) ? name : ServerSql::QuotedName(name);
}

QWidget* TfrmServis::CreateSqlConsolePage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("ts2"));
  tb = new TToolBar(page);
  tb->setObjectName(QStringLiteral("tb"));
  tb->setIconSize(QSize(16, 16));
  tb->SetImages(ImageList16());
  tb->SetShowHint(true);
  btnExecSQL = tb->AddButton(QStringLiteral("btnExecSQL"), 8);
  btnExecSQL->SetHint(QStringLiteral("Vykonanie SQL príkazu"));

  pTablesList = new QWidget(page);
  pTablesList->setObjectName(QStringLiteral("pTablesList"));
  e24 = CheckBox(pTablesList, QStringLiteral("e24"), QStringLiteral("Zobraz aj systémové tabuľky:"));
  e25 = CheckBox(pTablesList, QStringLiteral("e25"), QStringLiteral("Zobraz aj pohľady:"));
  // Wider only when the font needs it for the captions.
  pTablesList->setFixedWidth(qMax(185, e24->sizeHint().width()));
  md23 = new TUxMemoryData(this);
  md23->setObjectName(QStringLiteral("md23"));
  gr23 = new TDbGridQPL(pTablesList);
  gr23->setObjectName(QStringLiteral("gr23"));
  gr23->SetDataSet(md23);
  gr23->AddColumn(QStringLiteral("TABULKA"), QStringLiteral("Názov"), 147)->TitleAlignment = Qt::AlignHCenter;
  gr23->SetClickTitleEnabled(false);
  // The catalogue pads the names with blanks; a long name is cut, not elided.
  gr23->setTextElideMode(Qt::ElideNone);
  auto* listLayout = new QVBoxLayout(pTablesList);
  listLayout->setContentsMargins(0, 0, 0, 0);
  listLayout->addWidget(e24);
  listLayout->addWidget(e25);
  listLayout->addWidget(gr23, 1);

  ZvetsovaciPanel1 = new TZvetsovaciPanel(page);
  ZvetsovaciPanel1->setObjectName(QStringLiteral("ZvetsovaciPanel1"));
  ZvetsovaciPanel1->SetAlign(TZvetsovaciPanel::TAlign::Top);
  ZvetsovaciPanel1->SetBevelOuter(TZvetsovaciPanel::TBevel::None);
  ZvetsovaciPanel1->SetDragStripWidth(2);
  ZvetsovaciPanel1->SetDragStripColor(clRed);
  ZvetsovaciPanel1->SetResizeEnabled(true);
  ZvetsovaciPanel1->setFixedHeight(133);
  e21 = CreateSqlEditor(ZvetsovaciPanel1);
  auto* editorLayout = new QVBoxLayout(ZvetsovaciPanel1);
  editorLayout->setContentsMargins(ZvetsovaciPanel1->contentsMargins());
  editorLayout->addWidget(e21);

  gr22 = new TDbGridQPL(page);
  gr22->setObjectName(QStringLiteral("gr22"));
  gr22->SetClickTitleEnabled(true);
  sb23 = new QStatusBar(page);
  sb23->setObjectName(QStringLiteral("sb23"));
  sb23->setSizeGripEnabled(false);

  auto* right = new QVBoxLayout;
  right->setSpacing(0);
  right->addWidget(ZvetsovaciPanel1);
  right->addWidget(gr22, 1);
  auto* body = new QHBoxLayout;
  body->addWidget(pTablesList);
  body->addLayout(right, 1);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(tb);
  layout->addLayout(body, 1);
  layout->addWidget(sb23);

  connect(btnExecSQL, &QToolButton::clicked, this, &TfrmServis::btnExecSQLClick);
  connect(e24, &QCheckBox::clicked, this, &TfrmServis::e24Click);
  connect(e25, &QCheckBox::clicked, this, &TfrmServis::e24Click);
  connect(gr23, &QAbstractItemView::doubleClicked, this, &TfrmServis::gr23DblClick);
  connect(gr23, &TDbGridBase::OnClickEnter, this, &TfrmServis::gr23DblClick);
  connect(gr22, &TDbGridQPL::OnKeyDown, this, &TfrmServis::gr22KeyDown);
  connect(gr23, &TDbGridQPL::OnKeyDown, this, &TfrmServis::gr22KeyDown);
  connect(ib1, &TDataSet::DataSetChanged, this, [this] {
    if (gr22->DataSet()) ShowResultColumns();
  });
  return page;
}

TCodeMemo* TfrmServis::CreateSqlEditor(QWidget* parent) {
  CodeSQLHighlighter1 = new TCodeSQLHighlighter(this);
  CodeSQLHighlighter1->setObjectName(QStringLiteral("CodeSQLHighlighter1"));
  CodeSQLHighlighter1->SetSQLDialect(sqlSybase);
  CodeSQLHighlighter1->CommentAttri->SetForeground(clHighlight);
  CodeSQLHighlighter1->NumberAttri->SetForeground(clRed);
  CodeSQLHighlighter1->StringAttri->SetForeground(clBlue);

  auto* editor = new TCodeMemo(parent);
  editor->setObjectName(QStringLiteral("e21"));
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(13);
  editor->SetFont(font);
  // The DOS screen font of the gutter is not on Linux; a fixed-pitch font of
  // its height stands for it.
  QFont gutterFont(QStringLiteral("Liberation Mono"));
  gutterFont.setPixelSize(11);
  TCodeGutter& gutter = editor->Gutter();
  gutter.SetFont(gutterFont);
  gutter.SetShowLineNumbers(true);
  gutter.SetDigitCount(2);
  // Widens as the line count grows: a fixed width cut line 41,539 to "539".
  gutter.SetAutoSize(true);
  gutter.SetLeftOffset(5);
  editor->SetRightEdge(51);
  editor->SetHighlighter(CodeSQLHighlighter1);
  ReadKeystrokeDifferences(consoleKeystrokes, editor->Keystrokes());
  editor->OnChange = [this](TCustomCodeEdit*) { e21Change(); };
  // Ctrl+Enter runs the statement; the editor still gets the key and, with
  // no command for it, leaves the text as it is.
  editor->KeyboardHandler().KeyDownHandlers.Add([this](QObject*, quint16& key, TShiftState shift) {
    if (key == vk::Return && (shift & (ssShift | ssAlt | ssCtrl)) == ssCtrl && btnExecSQL->isEnabled())
      btnExecSQLClick();
  });
  return editor;
}

void TfrmServis::RestoreSqlCommand() {
  // A text that an older version left in the store is read from there.
  QFile file(SqlCommandFilePath());
  e21->SetText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                              : fp->ReadString(sqlCommandValue, QString()));
  e21Change();
}

void TfrmServis::StoreSqlCommand() {
  if (WriteSqlCommandFile(e21->Text())) {
    if (!fp->ReadString(sqlCommandValue, QString()).isEmpty()) fp->WriteString(sqlCommandValue, QString());
    return;
  }
  // Without the file the store keeps the text, and no older file may win over it.
  QFile::remove(SqlCommandFilePath());
  fp->WriteString(sqlCommandValue, e21->Text());
}

void TfrmServis::e21Change() { btnExecSQL->setEnabled(!e21->Text().trimmed().isEmpty()); }

void TfrmServis::gr22KeyDown(int& key, Qt::KeyboardModifiers modifiers) {
  if (key == Qt::Key_F4 && (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0)
    e21->setFocus();
}

void TfrmServis::BindResultGrid(bool bound) {
  gr22->SetDataSet(bound ? ib1 : nullptr);
  if (bound)
    ShowResultColumns();
  else
    gr22->ClearColumns();
}

void TfrmServis::ShowResultColumns() {
  const QStringList names = ib1->Active() ? ib1->FieldNames() : QStringList();
  QStringList shown;
  for (int i = 0; i < gr22->ColumnCount(); ++i)
    shown << gr22->Column(i)->FieldName;
  if (shown == names) return;
  gr22->ClearColumns();
  const QFontMetrics metrics(gr22->font());
  for (const auto& field : ib1->Fields()) {
    // Text as wide as its length allows, other values as their type needs.
    const int characters = field->DataType() == TFieldType::String ? field->Size() : 12;
    const int width =
        qMax(metrics.horizontalAdvance(field->FieldName()), metrics.horizontalAdvance(QLatin1Char('0')) * characters) +
        8;
    TGridColumn* column = gr22->AddColumn(field->FieldName(), field->FieldName(), qMin(width, kMaxResultColumnWidth));
    column->FieldIndex = field->Index();
  }
}

// Not RunUnitOfWork: the statement is the user's, so its kind decides the end
// (only a select keeps its transaction), and a refusal shows the server's
// text in the status bar whether or not the error handler knows it.
void TfrmServis::btnExecSQLClick() {
  const TSqlWaitCursor cursor;
  btnExecSQL->setEnabled(false);
  sb23->clearMessage();
  const auto enable = qScopeGuard([this] { e21Change(); });
  try {
    BeginTransaction(*ibt1);
    ib1->SetSQL(e21->Text());
    if (ib1->ReturnsRows())
      ib1->Open();
    else
      ib1->ExecSQL();
    // A plain select keeps its transaction, so that the rows stay what it saw.
    if (ib1->StatementType() != TIBStatementType::Select) ibt1->Commit();
    sb23->showMessage(statementDone);
  } catch (const std::exception& error) {
    sb23->showMessage(statementFailed);
    RollbackIfActive(*ibt1);
    // Anything but the refusal of the statement is a fault of the program.
    const auto* refused = dynamic_cast<const EIBError*>(&error);
    if (!refused) throw;
    ReportRefusedStatement(*refused);
  }
}

void TfrmServis::ReportRefusedStatement(const EIBError& error) {
  const QString message = error.Message().trimmed();
  sb23->showMessage(statementFailed + QLatin1Char(' ') + QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  if (HandleDatabaseError(error) == 0) MessageDlg(message, TMsgDlgType::Error, mbOK);
}

void TfrmServis::e24Click() {
  RunUnitOfWork(
      *ibt1,
      [this] {
        ib1->SetSQL(TableListSql(e24->isChecked(), e25->isChecked()));
        ib1->Open();
        // With no rows the list keeps what it showed.
        if (ib1->Active() && !ib1->IsEmpty()) md23->LoadRowsFromDataSet(*ib1, 0, 0);
        ib1->Close();
      },
      TWorkEnd::KeepOpen);
}

void TfrmServis::gr23DblClick() {
  if (!md23->Active() || md23->IsEmpty()) return;
  // The catalogue pads names with blanks to the column's length.
  const QString table = md23->FieldByName(QStringLiteral("tabulka")).AsString().trimmed();
  e21->SetText(BrowseTableSql(TableReference(table)));
  btnExecSQLClick();
}
