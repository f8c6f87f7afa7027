#pragma once
#include "reports/export/vzExportFilter.h"

enum TVezoNavigatorType { ntFixedToScreen = 0, ntFixedToPage = 1 };

// The page-exact HTML export: every object and text line an absolutely
// placed element in pixels; one file per page ("report.htm",
// "report0002.htm", ...) linked by an optional navigator (First, Previous,
// Next, Last) floating in the window or at the page's corner, or all pages
// stacked in one file. Pictures go to image files in the image folder. The
// document is code page 1250 and says so; report text is escaped.
class TVezoHTMLExport : public TVezoExportFilter {
  Q_OBJECT
public:
  explicit TVezoHTMLExport(QObject* owner = nullptr);

  int OptionsDialog() override;
  void BeginDocument() override;
  void EndPage() override;
  void WriteTextLine(const TVezoTextRec& line) override;

  bool SeparateFilePerPage = true;
  bool ShowNavigator = true;
  TVezoNavigatorType NavigatorType = ntFixedToScreen;
  bool UseTextLinks = true;
  // The links' texts: arrows of the symbol font by default.
  QString LinkTextFirst, LinkTextPrev, LinkTextNext, LinkTextLast;
  QString LinkFontName = QStringLiteral("Wingdings");
  int LinkFontSize = 18;    // points
  quint8 LinkFontStyle = 0; // 1 bold, 2 italic
  TColor LinkFontColor = clBlue;
  TColor LinkBackColor = clWhite, LinkHoverForeColor = clWhite, LinkHoverBackColor = clBlue;
  QString LinkImgSRCFirst, LinkImgSRCPrev, LinkImgSRCNext, LinkImgSRCLast;
  QString ImageDir; // relative to the document's folder; empty: that folder
  bool PageEndLines = true;
  TPsRichTextEncodingType RichTextEncodingType = rtImage;
  TBeforeSaveGraphicEvent BeforeSaveGraphic;
  TAfterSaveGraphicEvent AfterSaveGraphic;

  // The files of the pages of the last run and the image files written.
  QStringList PageFiles;
  QStringList ImageFiles;

  // Report text for the page: blanks as "&nbsp;", "&", "<", ">" and quotes
  // escaped, letters of code page 1250 as its bytes, other characters as
  // references; a text that starts with three characters 1 is written as it is.
  static QByteArray HTMLText(const QString& text);

private:
  QByteArray PageHeader() const;
  void WriteObjectDivs();
  QByteArray ImageElement(TVezoDataRec& item);
  QByteArray PageEnd() const;
  QByteArray NavigatorLinks() const;
  QByteArray NavigatorScript() const;
  QByteArray BorderStyle(const TVezoDataRec& item) const;
  QByteArray LinkText(const QString& text) const;
  bool NavigatorShown() const;
  double PageOffset() const;
  void MeasureNavigator();

  QByteArray page_; // the page being written
  QList<int> imageNameIndices_;
  QString imageFolderPath_, imageFolderURL_;
  double navigatorWidth_ = 0, navigatorHeight_ = 0;
  QString lastReference_;
};
