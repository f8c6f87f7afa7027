#pragma once
#include "reports/export/rpGridExport.h"
#include "reports/export/rpGridExportForm.h"
#include <QtCore/QDateTime>
#include <functional>

class QCheckBox;
class QPushButton;
class TrpProgress;

// The XML spreadsheet export: one worksheet laid out by the export matrix
// with column widths, row heights, named styles, merged cells, texts and row
// page breaks, written as a spreadsheet XML file (".xls" or ".xml").
class TrpXMLExcelExport : public TrpGridExport {
  Q_OBJECT
public:
  explicit TrpXMLExcelExport(QObject* owner = nullptr);
  ~TrpXMLExcelExport() override;

  int OptionsDialog() override;
  void BeginDocument() override;

  bool WrapWords = true, Borders = true, PageBreaks = true, Styles = true, Numbers = true;
  bool OpenExcelAfterExport = false;
  bool XmlMode = false; // the target's extension is ".xml": no spreadsheet program is offered
  // The creation time written into the workbook; the clock by default.
  std::function<QDateTime()> Now = [] { return QDateTime::currentDateTimeUtc(); };

protected:
  std::unique_ptr<TrpGridExportForm> CreateDialog() override;
  void AfterExport(const QString& fileName) override;

private:
  QString Workbook();
  QString StyleElement(int index) const;
  // The rows, recording the rows that start a page.
  void AppendRows(QString& out, QList<int>& rowBreaks);

  std::unique_ptr<TrpProgress> progress_;
  bool xmlRegistered_ = false;
};

// The options dialog of the XML spreadsheet export.
class TrpXMLExcelSet : public TrpGridExportForm {
  Q_OBJECT
public:
  TrpXMLExcelSet(TrpXMLExcelExport& filter, QWidget* parent = nullptr);
  QCheckBox *BordersCB, *WrapWordsCB, *PageBreaksCB, *StylesCB, *NumbersCB, *OpenExcelAfterExportCB;

protected:
  void ApplyChecks() override;

private:
  TrpXMLExcelExport& export_;
};

// A text as XML character data: "&", "<", ">" and the double quote as
// entities, line breaks as "&#10;", other control characters dropped.
QString rpXmlText(const QString& text);
