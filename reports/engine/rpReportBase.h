#pragma once
#include <QtCore/QObject>
#include <QtCore/QStringList>

class TrpDataset;
class TrpRunContext;
class TrpView;

// What the engine's shared routines ask of the report being loaded or run
// (`CurrentReport`); the report component derives from it. The report is a
// component: its owner (the QObject parent) is where names are looked up.
class TrpReportBase : public QObject {
  Q_OBJECT
public:
  using QObject::QObject;

  QObject* Owner() const { return parent(); }
  // The report's own data set (its Dataset property), or none.
  virtual TrpDataset* Dataset() const = 0;
  // Field references without a data-set part use the default data set.
  virtual bool UseDefaultDataSetName() const = 0;
  // The type of the band being printed (`CurrentBand`), -1 when there is none
  // or the current page is not a report page (a dialog page).
  virtual int CurrentBandType() const = 0;
  // The data set of the current page's data band of the type (5 master,
  // 8 detail, 11 subdetail, 19 cross); none when the page has no such band.
  virtual TrpDataset* PageDataBandDataSet(int dataBandType) const = 0;

  // What objects ask of the report while they print, so that they need not
  // know the report component; a report without objects or events answers
  // none and leaves the text as it is.
  // The object of that name on any page.
  virtual TrpView* FindObject(const QString& name) const { return nullptr; }
  // The expression (with an optional " #suffix" format) evaluated in the run and formatted.
  virtual void GetFormattedValue(TrpRunContext& run, const QString& expression, QString& text) {}
  // The before-print event over the lines an object is about to print.
  virtual void FireBeforePrint(QStringList& lines, TrpView* object) {}
};
