#include "registers/members/fEVyznamenania.h"
#include "controls/DbGridQPL.h"
#include "controls/IBComboBox.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberRecordsSupport.h"
#include "registers/members/fEVyznamenaniaPridaj.h"
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLabel>

TfrmEVyznamenania::TfrmEVyznamenania(QWidget* owner) : TForm(owner) {
  list.Table = QStringLiteral("e_vyznamenania");
  list.Select = [](TListQuery& q) {
    q.Add(QStringLiteral("select a.jedin,a.nazov,a.rok_vyznamenania,b.nazov_uplny as clen"));
    q.Add(QStringLiteral("from e_vyznamenania a left join c_clenov b on b.jedin=a.c_clenov"));
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
  };
  list.CreateDialog = [this] { return std::make_unique<TfrmEVyznamenaniaPridaj>(this); };
  list.Print = [this] {
    const QString tag = QStringLiteral("9803459A-2FEB-4FBA");
    TRegisterPrint print;
    print.Tag = tag;
    print.Title = Caption();
    print.Template = QStringLiteral("Vyznamenania.rpf");
    print.MasterSql = {QStringLiteral("select a.jedin,b.nazov_uplny,a.nazov,a.rok_vyznamenania,a.poznamka"),
                       QStringLiteral("from temp_spracuj x"),
                       QStringLiteral("left join e_vyznamenania a on a.jedin=x.cislo"),
                       QStringLiteral("left join c_clenov b on b.jedin=a.c_clenov"),
                       QStringLiteral("where x.connection_id=current_connection and x.zaradenie='") + tag +
                           QStringLiteral("'"),
                       QStringLiteral("order by a.rok_vyznamenania,b.nazov_uplny")};
    print.YearVariable = false;
    PrintRegister(*list.gr1, print);
  };
  const struct {
    const char* field;
    const char* title;
    int width;
    const char* order;
  } columns[] = {{"CLEN", "Priezvisko a meno", 362, "b.nazov_uplny"},
                 {"NAZOV", "Vyznamenanie", 308, "a.nazov"},
                 {"ROK_VYZNAMENANIA", "Rok", 64, "a.ROK_VYZNAMENANIA"}};
  for (const auto& c : columns) {
    TQPLColumn* column = list.gr1->AddColumn(QString::fromLatin1(c.field), QString::fromUtf8(c.title), c.width);
    column->OrderBy = QString::fromLatin1(c.order);
    column->TitleAlignment = Qt::AlignHCenter;
    if (column->FieldName == QLatin1String("ROK_VYZNAMENANIA")) column->Alignment = Qt::AlignHCenter;
  }

  QWidget& panel = *list.pnlFilter;
  auto add = [&panel](const QString& caption, TIBComboBox* combo) {
    auto* label = new QLabel(caption, &panel);
    label->setBuddy(combo);
    panel.layout()->addWidget(label);
    panel.layout()->addWidget(combo);
  };
  eDBClen = new TIBComboBox(&panel);
  eDBClen->setObjectName(QStringLiteral("eDBClen"));
  SetupMemberCombo(*eDBClen, false);
  add(QStringLiteral("Člen:"), eDBClen);
  eDBNazov = new TIBComboBox(&panel);
  eDBNazov->setObjectName(QStringLiteral("eDBNazov"));
  SetupTextCombo(*eDBNazov, QStringLiteral("e_vyznamenania"), QStringLiteral("nazov"), 50, 1019);
  add(QStringLiteral("Vyznamenanie:"), eDBNazov);
  list.FormCreate(QStringLiteral("Evidencia vyznamenaní"), QSize(778, 343));
}

TfrmEVyznamenania::~TfrmEVyznamenania() = default;

void TfrmEVyznamenania::OpenForMember(QWidget* owner, int clen, int) {
  TfrmEVyznamenania form(owner);
  form.eDBClen->FindIt(clen);
  form.list.btnFilterClick(&form);
  form.ShowModal();
}
