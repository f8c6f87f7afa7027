#pragma once
#include "reports/export/rpGridExport.h"
#include "reports/export/rpGridExportForm.h"
#include <QtCore/QDir>

class QIODevice;
class QCheckBox;
class QPushButton;
class TrpProgress;

// The HTML table export: every exported page a borderless table laid out by
// the export matrix, one CSS class per style, pictures as JPEG files; one
// document, or one file per page, optionally inside a frameset with a page
// navigator. Companion files lie in the export file's folder.
class TrpHTMLTableExport : public TrpGridExport {
  Q_OBJECT
public:
  explicit TrpHTMLTableExport(QObject* owner = nullptr);
  ~TrpHTMLTableExport() override;

  void BeginDocument() override;

  bool Borders = true, PageBreaks = true, Pictures = true, PicsInSameFolder = false, Styles = true;
  bool OpenAfterExport = false, FixedWidth = false, Navigator = false, Multipage = false, MozillaFrames = false;

  // The companion-file prefix ("N." or "N.files/", the folder made when missing).
  QString FolderPrefix() const;
  // How documents refer to their pictures.
  QString PictureReferencePrefix() const;

protected:
  std::unique_ptr<TrpGridExportForm> CreateDialog() override;
  void PageInRangeEnded() override;
  void AfterExport(const QString& fileName) override;

private:
  // The matrix as one HTML document: all pages with page breaks, or one page file.
  QByteArray DocumentText(bool singleDocument);
  void WriteNavigator();
  void WriteFrameset(const QString& fileName);
  QString StyleClass(int index) const;
  QString TableHead(bool pageBreak) const;
  QString CellOf(TrpIEMObject& object, int index);
  QString Title() const;
  QDir Folder() const;

  int pictureCounter_ = 0;
  std::unique_ptr<TrpProgress> progress_;
};

// The options dialog of the HTML table export.
class TrpHTMLExprSet : public TrpGridExportForm {
  Q_OBJECT
public:
  TrpHTMLExprSet(TrpHTMLTableExport& filter, QWidget* parent = nullptr);
  QCheckBox *BordersCB, *StylesCB, *PageBreaksCB, *PicturesCB, *PicsInSameFolderCB;
  QCheckBox *FixedWidthCB, *NavigatorCB, *MultipageCB, *MozillaFramesCB, *OpenAfterExportCB;

protected:
  void ApplyChecks() override;

private:
  TrpHTMLTableExport& export_;
};
