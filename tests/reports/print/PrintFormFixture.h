#pragma once
// The print form's test fixture: the real print form over a members
// database, its preview window replaced by a record of the prepared pages.
#include "controls/QPLBtn.h"
#include "registers/common/PrintProtocol.h"
#include "registers/members/MemberQueries.h"
#include "registers/members/fCClenov.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/ui/rpQtPrinter.h"
#include "reports/print/fTlac.h"
#include "reports/templates/TemplateDescription.h"
#include "tests/registers/members/MembersTestSupport.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QScopeGuard>
#include <QtCore/QStandardPaths>

// A template of one master line per member under a title; `script` is the master band's script.
inline QByteArray ListDescription(const QString& comment, const QString& script = {}) {
  return QStringLiteral(R"({"comment": "%1", "bands": [
      {"band": "ReportTitle", "height": 20, "texts": [{"x": 0, "y": 0, "w": 300, "h": 20, "text": "Zoznam"}]},
      {"band": "MasterData", "height": 20, "source": "rpDB1", "script": [%2],
       "texts": [{"x": 0, "y": 0, "w": 300, "h": 20, "text": "[MASTER.\"PRIEZVISKO\"]"}]}]})")
      .arg(comment, script.isEmpty() ? QString() : QLatin1Char('"') + script + QLatin1Char('"'))
      .toUtf8();
}

inline void WriteTemplate(const QString& path, const QByteArray& description) {
  TrpReport report;
  rpBuildFromDescription(description, report);
  report.SaveToFile(path);
}

// How PrintedText prints and reads: whether it answers the next print form
// itself (or the caller queues PrintInto at the form's turn), and how the
// PDF reader lays the text out.
struct TPdfReading {
  bool AnswerPrintForm = true;
  QStringList Reader{QStringLiteral("-layout")};
};

class PrintFormFixture : public MembersTest {
protected:
  struct TPreview {
    QString Caption;
    QList<QStringList> Pages; // the texts of each prepared page
  };

  void SetUp() override {
    MembersTest::SetUp();
    rpEngineStart();
    rpGlobals().PreviewWindow = [this](TrpReport& report, const QString& caption) {
      TPreview preview{caption, {}};
      for (int i = 0; i < report.EMFPages.Count(); ++i) {
        QStringList texts;
        TrpPage& page = report.EMFPages.LoadPageObjects(i);
        for (int k = 0; k < page.Count(); ++k) {
          QString text = page.GetObject(k)->Memo.join(QLatin1Char(' '));
          text.remove(QChar(kParagraphMark));
          if (!text.isEmpty()) texts.append(text);
        }
        preview.Pages.append(texts);
      }
      previews.append(preview);
    };
    ASSERT_TRUE(folder.isValid());
    IniSettings.Reports = IniSettings.ReportsPreferred = folder.path();
    SetPrintFormFactory([] { return std::make_unique<TfrmTlac>(); });
    Organizacia.Nazov = QStringLiteral("MO SRZ Žilina");
    Organizacia.Mesto = QStringLiteral("Žilina");
  }
  void TearDown() override {
    rpGlobals().DesignerWindow = {};
    rpGlobals().PreviewWindow = {};
    rpEngineEnd();
    MembersTest::TearDown();
  }
  QString InFolder(const QString& name) const { return QDir(folder.path()).filePath(name); }
  // The registers print with the templates the program ships.
  static void UseShippedTemplates() {
    IniSettings.Reports = IniSettings.ReportsPreferred =
        QDir(QString::fromLocal8Bit(qgetenv("VIMEK_BINARY_DIR"))).filePath(QStringLiteral("bin/Reports"));
  }
  // The print form's answer that prints into the PDF file `pdf`.
  static std::function<void(TForm&)> PrintInto(const QString& pdf) {
    return [pdf](TForm& f) {
      auto& form = static_cast<TfrmTlac&>(f);
      form.rp1->PrintFileName = pdf;
      form.btnPrint->click();
    };
  }
  // Prints on the virtual printer into a PDF file of the test's folder what
  // `print` starts (the next print form shown prints), and returns the text a
  // PDF reader finds in it; empty when the machine cannot do it (skipped).
  QString PrintedText(const QString& name, const std::function<void()>& print, const TPdfReading& reading = {}) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return {};
    rpInstallPrinting();
    TrpGlobals& g = rpGlobals();
    auto restore = qScopeGuard([&g] {
      g.PrintDialog = {};
      g.OpenPrintDevice = {};
    });
    // A machine with a real printer must not get this page.
    if (!rpPrinter().IsVirtual()) return {};
    g.PrintDialog = [](TrpPrintSettings&, int) { return true; };
    const QString pdf = InFolder(name);
    if (reading.AnswerPrintForm) script.Then(PrintInto(pdf));
    print();
    EXPECT_TRUE(Messages().isEmpty()) << Messages().join(QLatin1Char('\n')).toStdString();
    QProcess process;
    process.start(pdftotext, reading.Reader + QStringList{pdf, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
  }
  void AddThreeMembers() {
    AddPerson({QStringLiteral("Šťastný"), QStringLiteral("Ľubomír"), QStringLiteral("Nitra"), QDate(1970, 3, 1),
               QStringLiteral("Hlavná 1")});
    AddPerson({QStringLiteral("Čierny"), QStringLiteral("Ján"), QStringLiteral("Žilina"), QDate(1980, 5, 2),
               QStringLiteral("Mierová 2")});
    AddPerson({QStringLiteral("Ďurica"), QStringLiteral("Ôndrej"), QStringLiteral("Púchov"), QDate(1990, 7, 3),
               QStringLiteral("Lúčna 3")});
  }
  // The members list print over every member, the form answering with `action`.
  bool PrintMembers(const std::function<void(TfrmTlac&)>& action) {
    TfrmCClenov list(nullptr, ProgramSettings.Rok);
    list.list.btnRefreshClick();
    script.Then([action](TForm& f) { action(static_cast<TfrmTlac&>(f)); });
    TRegisterPrint print;
    print.Tag = QStringLiteral("DBD05A9C-3FA7-4662");
    print.Title = QStringLiteral("Tlač zoznamu členov");
    print.Template = QStringLiteral("ClenZoznam.rpf");
    print.MasterSql = ChosenMembersSql().split(QLatin1Char('\n'));
    print.Params.insert(QStringLiteral("ZARADENIE"), print.Tag);
    return PrintRegister(list.list, print);
  }

  QTemporaryDir folder;
  QList<TPreview> previews;
};
