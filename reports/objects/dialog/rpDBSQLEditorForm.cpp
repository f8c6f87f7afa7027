#include "reports/objects/dialog/rpDBSQLEditorForm.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpLinesEditorForm.h"
#include "reports/designer/rpSyntaxMemo.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include <QtCore/QFile>
#include <QtCore/QTextStream>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFrame>
#include <QtWidgets/QVBoxLayout>

TrpDBSQLEditorForm::TrpDBSQLEditorForm(QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("rpDBSQLEditorForm"));
  SetCaption(rpLoadStr(57010));
  SetKeyPreview(true);
  resize(520, 400);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* bar = new QFrame(this);
  bar->setFixedHeight(33);
  layout->addWidget(bar);
  Memo = new TrpSyntaxMemo(this);
  Memo->setObjectName(QStringLiteral("Memo"));
  Memo->SetSyntaxType(TSyntaxType::stSQL);
  layout->addWidget(Memo);

  struct TFileButton {
    const char* Glyph;
    int Hint;
    int X;
  };
  const TFileButton fileButtons[] = {{"open", 56099, 4}, {"save", 56100, 28}};
  QList<TrpSpeedButton*> files;
  for (const TFileButton& b : fileButtons) {
    auto* button = new TrpSpeedButton(bar);
    button->SetFlat(true);
    button->SetGlyph(rpEditorGlyph(b.Glyph));
    button->setToolTip(rpLoadStr(b.Hint));
    button->setGeometry(b.X, 6, 24, 24);
    files.append(button);
  }
  connect(files[0], &TrpSpeedButton::clicked, this, &TrpDBSQLEditorForm::LoadFromFile);
  connect(files[1], &TrpSpeedButton::clicked, this, &TrpDBSQLEditorForm::SaveToFile);
  const QList<TrpSpeedButton*> edits = rpAddEditBar(
      *this, *bar,
      {[this] { Memo->CutToClipboard(); }, [this] { Memo->CopyToClipboard(); }, [this] { Memo->PasteFromClipboard(); }},
      60);
  auto* builder = new TrpSpeedButton(bar);
  builder->SetFlat(true);
  builder->SetGlyph(rpEditorGlyph("builder"));
  builder->setToolTip(rpLoadStr(56101));
  builder->setGeometry(edits.last()->geometry().right() + 9, 6, 24, 24);

  Memo->SetMemoFont(ScriptFont());
  Memo->setFocus();
}

QFont TrpDBSQLEditorForm::ScriptFont() {
  // The designer's script font; "Liberation Mono" stands in for "Courier New".
  const QString key = rpGlobals().RegistryRoot + QStringLiteral("\\Form\\TrpDesignerForm");
  const TRegistry& registry = TRegistry::Root();
  const auto name = registry.ReadValue(key, QStringLiteral("ScriptFontName"));
  const auto size = registry.ReadValue(key, QStringLiteral("ScriptFontSize"));
  const bool sizeIsNumber = size && size->Type == TRegValueType::Dword;
  const int points = sizeIsNumber ? int(size->Dword) : size ? size->Text.toInt() : 10;
  return QFont(name && !name->Text.isEmpty() ? name->Text : QStringLiteral("Liberation Mono"),
               points > 0 ? points : 10);
}

bool TrpDBSQLEditorForm::FormKeyDown(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & Qt::ControlModifier)) {
    SetModalResult(mrOk);
    return true;
  }
  if (event->key() == Qt::Key_Escape && Memo->hasFocus()) {
    SetModalResult(mrCancel);
    return true;
  }
  return false;
}

void TrpDBSQLEditorForm::LoadFromFile() {
  const QString name = QFileDialog::getOpenFileName(this);
  if (name.isEmpty()) return;
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    rpGlobals().ErrorBox(QStringLiteral("Súbor %1 nie je možné otvoriť.").arg(name), rpLoadStr(55206));
    return;
  }
  Memo->SetLines(rpSplitLines(QString::fromUtf8(file.readAll())));
}

void TrpDBSQLEditorForm::SaveToFile() {
  const QString name = QFileDialog::getSaveFileName(this);
  if (name.isEmpty()) return;
  QFile file(name);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(Memo->Text().toUtf8()) < 0)
    rpGlobals().ErrorBox(QStringLiteral("Súbor %1 nie je možné zapísať.").arg(name), rpLoadStr(55206));
}
