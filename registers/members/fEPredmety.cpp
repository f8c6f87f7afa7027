#include "registers/members/fEPredmety.h"
#include "app/QPLUnit.h"
#include "app/ToolBar.h"
#include "controls/DbGridQPL.h"
#include "controls/IBCheckBox.h"
#include "controls/IBComboBox.h"
#include "db/IBQuery.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEPredmetyPridaj.h"
#include "registers/members/fEPredmetyTlac.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>

TfrmEPredmety* frmEPredmety = nullptr;

namespace {
const QString kStillOut = QStringLiteral("a.mnozstvo<>a.MNOZSTVO_VRATENE");
}

TfrmEPredmety::TfrmEPredmety(QWidget* owner) : TForm(owner) {
  frmEPredmety = this;
  list.Table = QStringLiteral("e_predmety");
  list.Select = [this](TListQuery& q) {
    q.Add(QStringLiteral("select a.mnozstvo*a.cena as spolu,a.jedin,a.datum,"));
    q.Add(QStringLiteral("b.nazov_uplny as clen,a.nazov,a.mnozstvo,a.cena,a.mnozstvo_vratene"));
    q.Add(QStringLiteral("from e_predmety a left join c_clenov b on b.jedin=a.c_clenov"));
    // Without the filter panel only the items still out are listed.
    if (!list.btnFilter->Down()) q.Where(kStillOut);
  };
  list.Filter = [this](TListQuery& q) {
    if (!KeyParam(*eDBClen).isNull()) {
      q.Where(QStringLiteral("a.c_clenov=:C_CLENOV"));
      q.Params.insert(QStringLiteral("C_CLENOV"), KeyParam(*eDBClen));
    }
    if (!KeyParam(*eDBNazov).isNull()) {
      q.Where(QStringLiteral("a.nazov=:POPIS"));
      q.Params.insert(QStringLiteral("POPIS"), KeyParam(*eDBNazov));
    }
    if (eDBVratene->CheckedValue() != 1) q.Where(kStillOut);
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEPredmetyPridaj>(this); };
  list.Print = [this] {
    TfrmEPredmetyTlac dialog(this);
    dialog.ShowModal();
  };
  const struct {
    const char* field;
    const char* title;
    int width;
    const char* order;
  } columns[] = {{"DATUM", "Dátum", 61, "a.datum"},           {"CLEN", "Priezvisko a meno", 292, "b.nazov_uplny"},
                 {"NAZOV", "Názov predmetu", 210, "a.nazov"}, {"CENA", "Cena za MJ", 85, "a.cena"},
                 {"MNOZSTVO", "Množstvo", 51, "a.mnozstvo"},  {"SPOLU", "Spolu", 85, "1"}};
  for (const auto& c : columns) {
    TQPLColumn* column = list.gr1->AddColumn(QString::fromLatin1(c.field), QString::fromUtf8(c.title), c.width);
    column->OrderBy = QString::fromLatin1(c.order);
    column->TitleAlignment = Qt::AlignHCenter;
  }
  connect(list.gr1, &TDbGridQPL::OnDrawColumnCell, this, &TfrmEPredmety::gr1DrawColumnCell);

  QWidget& panel = *list.pnlFilter;
  auto add = [&panel](const QString& caption, QWidget* control) {
    auto* label = new QLabel(caption, &panel);
    label->setBuddy(control);
    panel.layout()->addWidget(label);
    panel.layout()->addWidget(control);
  };
  eDBClen = new TIBComboBox(&panel);
  eDBClen->setObjectName(QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen, false);
  add(QStringLiteral("Člen:"), eDBClen);
  eDBNazov = new TIBComboBox(&panel);
  eDBNazov->setObjectName(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_predmety"), QStringLiteral("nazov"), 50, 1019);
  add(QStringLiteral("Názov:"), eDBNazov);
  eDBVratene = new TIBCheckBox(QStringLiteral("Zobraziť aj vrátené predmety:"), &panel);
  eDBVratene->setObjectName(QStringLiteral("eDBVratene"));
  eDBVratene->setLayoutDirection(Qt::RightToLeft);
  panel.layout()->addWidget(eDBVratene);
  list.FormCreate(QStringLiteral("Evidencia zverených predmetov"), QSize(832, 343));
}

TfrmEPredmety::~TfrmEPredmety() {
  if (frmEPredmety == this) frmEPredmety = nullptr;
}

void TfrmEPredmety::gr1DrawColumnCell(int row, TQPLColumn*, TGridCellCanvas& canvas) const {
  TIBQuery& q = *list.ib1;
  if (!q.Active() || q.IsEmpty()) return;
  const double lent = q.ValueAt(row, q.FieldByName(QStringLiteral("MNOZSTVO")).Index()).toDouble();
  const double returned = q.ValueAt(row, q.FieldByName(QStringLiteral("MNOZSTVO_VRATENE")).Index()).toDouble();
  if (lent == returned) canvas.Font.setStrikeOut(true);
}

void TfrmEPredmety::OpenForMember(QWidget* owner, int clen, int) {
  TfrmEPredmety form(owner);
  form.eDBClen->FindIt(clen);
  form.list.btnFilterClick(&form);
  form.ShowModal();
}
