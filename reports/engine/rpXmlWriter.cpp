#include "reports/engine/rpXmlWriter.h"
#include "core/CodePage1250.h"
#include "reports/engine/rpDBDataSet.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpView.h"
#include <QtCore/QBuffer>
#include <QtCore/QIODevice>
#include <cmath>

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// Report units to 96-dpi pixels, then to whole millimetres.
qint64 Millimetres(int units) { return std::lround(units / 3.77953 * 1.047741935483871); }

QString PageName(int index) { return QStringLiteral("Page%1").arg(index + 1); }

void AppendProcedure(QStringList& lines, const QString& name, const QStringList& script) {
  lines << QStringLiteral("procedure ") + name + QStringLiteral("OnBeforePrint(Sender: TrpxComponent);")
        << QStringLiteral("begin") << QStringLiteral("  with ") + name + QStringLiteral(", Engine do")
        << QStringLiteral("  begin");
  const QStringList inner = script.mid(1, script.size() - 2);
  if (script.first() != QLatin1String("begin")) {
    lines << script.first() << inner;
    if (script.size() > 1) lines << script.last();
    lines << QStringLiteral("  end") << QStringLiteral("end;");
  } else {
    lines << inner << QStringLiteral("  end") << script.last() + QLatin1Char(';');
  }
  lines << QString();
}

QString ScriptText(const TrpReport& report) {
  QStringList lines;
  for (int p = 0; p < report.Pages.Count(); ++p) {
    const TrpPage* page = report.Pages.GetPage(p);
    if (!page->Script.isEmpty()) AppendProcedure(lines, PageName(p), page->Script);
    for (int i = 0; i < page->Count(); ++i) {
      const TrpView* object = page->GetObject(i);
      if (!object->Script.isEmpty() && !object->Name.isEmpty()) AppendProcedure(lines, object->Name, object->Script);
    }
  }
  lines << QStringLiteral("begin") << QString() << QStringLiteral("end.");
  return lines.join(kLineBreak) + kLineBreak;
}

// A variable's value; one naming a field of a report database data set as <DataSet."FIELD">.
QString VariableValue(const QString& value, const QList<TrpComponentEntry>& dataSets) {
  TDataSet* dataSet = nullptr;
  QString field;
  try {
    rpGetDataSetAndField(rpRun().CurrentReport, value, dataSet, field);
  } catch (const Exception&) {
    return value;
  }
  if (!dataSet || field.isEmpty()) return value;
  for (const TrpComponentEntry& entry : dataSets) {
    const auto* walker = qobject_cast<const TrpDBDataSet*>(entry.Component);
    if (!walker || (walker->DataSet() != dataSet && !(walker->DataSource() && walker->ResolveDataSet() == dataSet)))
      continue;
    QString name = entry.Name;
    if (name.startsWith(QLatin1Char('_'))) name.remove(0, 1);
    return QLatin1Char('<') + name + QStringLiteral(".\"") + field + QStringLiteral("\">");
  }
  return value;
}

QString PropertyData(const TrpReport& report) {
  QList<TrpComponentEntry> dataSets;
  rpGetComponents(report.Owner(), TrpDataset::staticMetaObject, dataSets);
  TrpPropertyStream data;
  data.Name(QStringLiteral("Datasets"));
  data.CollectionBegin();
  for (const TrpComponentEntry& entry : dataSets) {
    data.ListBegin();
    data.Name(QStringLiteral("DataSet"));
    data.Empty();
    data.Name(QStringLiteral("DataSetName"));
    data.Text(entry.Name);
    data.ListEnd();
  }
  data.ListEnd();
  data.Name(QStringLiteral("Variables"));
  data.CollectionBegin();
  const TrpVariables& variables = report.Dictionary.Variables;
  for (int i = 0; i < variables.GetCount(); ++i) {
    data.ListBegin();
    data.Name(QStringLiteral("Name"));
    data.Text(variables.GetName(i));
    data.Name(QStringLiteral("Value"));
    data.Text(VariableValue(variables.GetValue(i).toString(), dataSets));
    data.ListEnd();
  }
  data.ListEnd();
  return data.Hex();
}

// The format expects the stored password with every character code lowered by 10; it hides nothing.
QString ShiftedPassword(const QString& password) {
  QByteArray bytes = Cp1250::EncodeLossy(password);
  for (char& c : bytes)
    c = char(quint8(quint8(c) - 10));
  return Cp1250::Decode(bytes);
}

QString ReportElement(const TrpReport& report) {
  QString element = QStringLiteral("<TrpxReport");
  rpXmlAttribute(element, QStringLiteral("ScriptLanguage"), QStringLiteral("PascalScript"));
  rpXmlAttribute(element, QStringLiteral("ScriptText.text"), ScriptText(report));
  rpXmlAttribute(element, QStringLiteral("Propdata"), PropertyData(report));
  const TrpReportInfo& info = report.Info;
  rpXmlAttribute(element, QStringLiteral("ReportOptions.Name"), info.Name);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.Author"), info.Author);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.Description.text"), info.Comment);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.CreateDate"), rpXmlFloat(info.Created));
  rpXmlAttribute(element, QStringLiteral("ReportOptions.LastChange"), rpXmlFloat(info.LastChange));
  rpXmlAttribute(element, QStringLiteral("ReportOptions.VersionMajor"), info.VersionMajor);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.VersionMinor"), info.VersionMinor);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.VersionRelease"), info.VersionRelease);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.VersionBuild"), info.VersionBuild);
  rpXmlAttribute(element, QStringLiteral("ReportOptions.Password"), ShiftedPassword(info.Password));
  return element + QLatin1Char('>') + kLineBreak;
}

QString PageElement(const TrpPage& page, int index) {
  QString element;
  const QString name = PageName(index);
  if (page.PageType == 1) {
    element = QStringLiteral("<TrpxDialogPage");
    rpXmlAttribute(element, QStringLiteral("Name"), name);
    rpXmlAttribute(element, QStringLiteral("Height"), page.DialogHeight);
    rpXmlAttribute(element, QStringLiteral("Left"), page.DialogLeft);
    rpXmlAttribute(element, QStringLiteral("Top"), page.DialogTop);
    rpXmlAttribute(element, QStringLiteral("Width"), page.DialogWidth);
    rpXmlAttribute(element, QStringLiteral("BorderStyle"), page.BorderStyle);
    rpXmlAttribute(element, QStringLiteral("Caption"), page.Caption);
    rpXmlAttribute(element, QStringLiteral("Color"), page.Color);
    rpXmlAttribute(element, QStringLiteral("Position"), page.Position);
    if (!page.Script.isEmpty())
      rpXmlAttribute(element, QStringLiteral("OnActivate"), name + QStringLiteral("OnBeforePrint"));
  } else {
    const TrpPrnInfo& paper = page.PrnInfo;
    element = QStringLiteral("<TrpxReportPage");
    rpXmlAttribute(element, QStringLiteral("Name"), name);
    rpXmlAttribute(element, QStringLiteral("Orientation"),
                   page.Orientation == 1 ? QStringLiteral("poLandscape") : QStringLiteral("poPortrait"));
    rpXmlAttribute(element, QStringLiteral("PaperWidth"), Millimetres(paper.Width));
    rpXmlAttribute(element, QStringLiteral("PaperHeight"), Millimetres(paper.Height));
    rpXmlAttribute(element, QStringLiteral("PaperSize"), page.PaperSize);
    rpXmlAttribute(element, QStringLiteral("LeftMargin"), Millimetres(page.PrintableLeft()));
    rpXmlAttribute(element, QStringLiteral("RightMargin"), Millimetres(paper.Width - page.PrintableRight()));
    rpXmlAttribute(element, QStringLiteral("TopMargin"), Millimetres(page.PrintableTop()));
    rpXmlAttribute(element, QStringLiteral("BottomMargin"), Millimetres(paper.Height - page.PrintableBottom()));
    rpXmlAttribute(element, QStringLiteral("Columns"), page.ColumnCount);
    rpXmlAttribute(element, QStringLiteral("ColumnWidth"), page.ColumnWidth);
    if (page.PrintToPrevPage) rpXmlAttribute(element, QStringLiteral("PrintOnPreviousPage"), QStringLiteral("True"));
    if (!page.Script.isEmpty())
      rpXmlAttribute(element, QStringLiteral("OnBeforePrint"), name + QStringLiteral("OnBeforePrint"));
  }
  return element + (page.Count() > 0 ? QStringLiteral(">") : QStringLiteral("/>")) + kLineBreak;
}

QString ObjectElements(const TrpPage& page) {
  QString text;
  // Report pages place objects from the printable left edge.
  const int shift = page.PageType == 1 ? 0 : page.PrintableLeft();
  for (int i = 0; i < page.Count(); ++i) {
    TrpView* object = page.GetObject(i);
    QString element;
    object->Left -= shift;
    try {
      object->WriteXmlElement(element);
    } catch (...) {
      object->Left += shift;
      throw;
    }
    object->Left += shift;
    if (!element.isEmpty()) text += element + QStringLiteral("/>") + kLineBreak;
  }
  if (page.Count() > 0)
    text +=
        (page.PageType == 1 ? QStringLiteral("</TrpxDialogPage>") : QStringLiteral("</TrpxReportPage>")) + kLineBreak;
  return text;
}

} // namespace

void rpSaveToRP3Stream(TrpReport& report, QIODevice& stream) {
  TrpRunContext& g = rpRun();
  // Objects look up the data sets they name through the current report.
  TrpReportBase* keptReport = std::exchange(g.CurrentReport, &report);
  QString document = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>") + kLineBreak;
  try {
    document += ReportElement(report);
    for (int p = 0; p < report.Pages.Count(); ++p) {
      const TrpPage& page = *report.Pages.GetPage(p);
      document += PageElement(page, p) + ObjectElements(page);
    }
  } catch (...) {
    g.CurrentReport = keptReport;
    throw;
  }
  g.CurrentReport = keptReport;
  document += QStringLiteral("</TrpxReport>") + kLineBreak;
  const QByteArray bytes = document.toUtf8();
  if (stream.write(bytes) != bytes.size()) throw Exception(stream.errorString());
}
