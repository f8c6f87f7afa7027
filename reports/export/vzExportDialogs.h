#pragma once
#include "core/ui/Form.h"
#include <QtGui/QFont>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QVBoxLayout;
class TVezoExportFilter;
class TVezoPDFExport;
class TVezoRTFExport;
class TVezoHTMLExport;
class TVezoGraphicExport;

// The options common to the page-exact exports: frames, rich text, images
// (format, JPEG quality, resolution, pixel format) and the document's
// title, subject, author and keywords. OK stores them in the filter; a
// quality or resolution that is no number is refused and the dialog stays.
class TVezoExportDialog : public TForm {
  Q_OBJECT
public:
  explicit TVezoExportDialog(TVezoExportFilter& filter, QWidget* parent = nullptr);

  // Puts the controls into the filter; raises ErpConversionError, storing nothing more, for a bad number.
  virtual void StoreValues();
  // Clicks OK: stores the values and closes, or tells the user what is wrong.
  void OKClick();

  QCheckBox *ExportFramesCB, *ExportRichTextCB, *ExportImagesCB;
  QLabel* RichTextEncodingL;
  QComboBox* RichTextEncodingCB;
  QGroupBox* ImagesGB;
  QComboBox *ImageFormatCB, *PixelFormatCB;
  QLabel* JPEGQualityL;
  QLineEdit *JPEGQualityE, *ImageDPIE;
  QLineEdit *TitleE, *SubjectE, *AuthorE, *KeywordsE;
  QLabel *TitleL, *SubjectL;
  QPushButton *OKB, *CancelB;

protected:
  // Enables the image group with "Export Images", JPEG quality only for JPG.
  void ApplyImageState();
  // The column the subclasses add their own controls to, and the widget of
  // every common control (above the buttons).
  QVBoxLayout* options_;
  QWidget* common_;
  QVBoxLayout* main_;

private:
  TVezoExportFilter& filter_;
};

class TVezoPDFExportDialog : public TVezoExportDialog {
  Q_OBJECT
public:
  explicit TVezoPDFExportDialog(TVezoPDFExport& filter, QWidget* parent = nullptr);
  void StoreValues() override;

  QCheckBox* CompressCB;
  QGroupBox* CompressionGB;
  QComboBox* CompressionLevelCB;

private:
  TVezoPDFExport& pdf_;
};

class TVezoRTFExportDialog : public TVezoExportDialog {
  Q_OBJECT
public:
  explicit TVezoRTFExportDialog(TVezoRTFExport& filter, QWidget* parent = nullptr);
  void StoreValues() override;

  QCheckBox* GraphicDataInBinaryCB;

private:
  TVezoRTFExport& rtf_;
};

// The HTML export's options on two tabs: the content, and the files and the
// page navigator (type, colours, text or picture links).
class TVezoHTMLExportDialog : public TVezoExportDialog {
  Q_OBJECT
public:
  explicit TVezoHTMLExportDialog(TVezoHTMLExport& filter, QWidget* parent = nullptr);
  void StoreValues() override;

  QTabWidget* Tabs;
  QLineEdit* ImageFolderE;
  QPushButton* ImageFolderB;
  QCheckBox *SeparateFilePerPageCB, *ShowNavigatorCB;
  QGroupBox* NavigatorGB;
  QComboBox* NavigatorTypeCB;
  QPushButton *BackColorB, *HoverForeColorB, *HoverBackColorB;
  QRadioButton *TextLinksRB, *GraphicLinksRB;
  QStackedWidget* LinkPages;
  QLineEdit *LinkTextE[4], *LinkImageE[4];
  QPushButton* FontB;

private:
  void ApplyNavigatorState();
  void SetSwatch(QPushButton* swatch, quint32 color);
  quint32 SwatchColor(const QPushButton* swatch) const;

  TVezoHTMLExport& html_;
  QFont linkFont_;
};

// The scales of the metafile exports.
class TVezoMetafileExportDialog : public TForm {
  Q_OBJECT
public:
  explicit TVezoMetafileExportDialog(TVezoGraphicExport& filter, QWidget* parent = nullptr);
  QLineEdit *ScaleXE, *ScaleYE;
  QPushButton *OKB, *CancelB;

private:
  TVezoGraphicExport& filter_;
};
