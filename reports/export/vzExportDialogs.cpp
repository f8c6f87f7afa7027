#include "reports/export/vzExportDialogs.h"
#include "core/gui/ColorConvert.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/vzGraphicExport.h"
#include "reports/export/vzHTMLExport.h"
#include "reports/export/vzPDFExport.h"
#include "reports/export/vzRTFExport.h"
#include <QtCore/QFileInfo>
#include <QtGui/QIntValidator>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QColorDialog>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QTabWidget>

namespace {

int WholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) throw ErpConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text));
  return value;
}

QComboBox* Combo(QWidget* parent, const QStringList& items) {
  auto* combo = new QComboBox(parent);
  for (qsizetype i = 0; i < items.size(); ++i)
    combo->addItem(items[i], int(i));
  return combo;
}

void SelectValue(QComboBox* combo, int value) { combo->setCurrentIndex(std::max(0, combo->findData(value))); }

} // namespace

// --- the common options

TVezoExportDialog::TVezoExportDialog(TVezoExportFilter& filter, QWidget* parent) : TForm(parent), filter_(filter) {
  setObjectName(QStringLiteral("TVezoExportDialog"));
  SetCaption(QStringLiteral("Export Options"));
  main_ = new QVBoxLayout(this);
  common_ = new QWidget(this);
  auto* commonColumn = new QVBoxLayout(common_);
  commonColumn->setContentsMargins(0, 0, 0, 0);
  auto* group = new QGroupBox(this);
  options_ = new QVBoxLayout(group);
  ExportFramesCB = new QCheckBox(QStringLiteral("Export Frames"), this);
  ExportRichTextCB = new QCheckBox(QStringLiteral("Export RichText"), this);
  RichTextEncodingL = new QLabel(QStringLiteral("RichText Encoding Type"), this);
  RichTextEncodingCB = Combo(this, {QStringLiteral("Image"), QStringLiteral("Plain Text")});
  ExportImagesCB = new QCheckBox(QStringLiteral("Export Images"), this);
  ImagesGB = new QGroupBox(this);
  auto* images = new QFormLayout(ImagesGB);
  ImageFormatCB = Combo(this, {QStringLiteral("GIF"), QStringLiteral("JPG"), QStringLiteral("BMP")});
  JPEGQualityL = new QLabel(QStringLiteral("JPEG Quality"), this);
  JPEGQualityE = new QLineEdit(this);
  JPEGQualityE->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), this));
  ImageDPIE = new QLineEdit(this);
  PixelFormatCB = Combo(this, {QStringLiteral("Device"), QStringLiteral("1 bit"), QStringLiteral("4 bit"),
                               QStringLiteral("8 bit"), QStringLiteral("15 bit"), QStringLiteral("16 bit"),
                               QStringLiteral("24 bit"), QStringLiteral("32 bit"), QStringLiteral("Custom")});
  images->addRow(QStringLiteral("Export Image Format"), ImageFormatCB);
  images->addRow(JPEGQualityL, JPEGQualityE);
  images->addRow(QStringLiteral("Image DPI"), ImageDPIE);
  images->addRow(QStringLiteral("Image Pixel Format"), PixelFormatCB);
  auto* encoding = new QHBoxLayout;
  encoding->addWidget(RichTextEncodingL);
  encoding->addWidget(RichTextEncodingCB);
  options_->addWidget(ExportFramesCB);
  options_->addWidget(ExportRichTextCB);
  options_->addLayout(encoding);
  options_->addWidget(ExportImagesCB);
  options_->addWidget(ImagesGB);
  commonColumn->addWidget(group);

  auto* document = new QFormLayout;
  TitleE = new QLineEdit(this);
  SubjectE = new QLineEdit(this);
  AuthorE = new QLineEdit(this);
  KeywordsE = new QLineEdit(this);
  TitleL = new QLabel(QStringLiteral("Title"), this);
  SubjectL = new QLabel(QStringLiteral("Subject"), this);
  document->addRow(TitleL, TitleE);
  document->addRow(SubjectL, SubjectE);
  document->addRow(QStringLiteral("Author"), AuthorE);
  document->addRow(QStringLiteral("Keywords"), KeywordsE);
  commonColumn->addLayout(document);
  main_->addWidget(common_);
  OKB = new QPushButton(QStringLiteral("OK"), this);
  OKB->setDefault(true);
  CancelB = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKB);
  buttons->addWidget(CancelB);
  main_->addLayout(buttons);

  ExportFramesCB->setChecked(filter.ExportFrames);
  ExportRichTextCB->setChecked(filter.ExportRichText);
  ExportImagesCB->setChecked(filter.ExportImages);
  SelectValue(ImageFormatCB, filter.ExportImageFormat);
  SelectValue(PixelFormatCB, filter.ImagePixelFormat);
  JPEGQualityE->setText(QString::number(filter.JPEGQuality));
  ImageDPIE->setText(QString::number(filter.ImageDPI));
  AuthorE->setText(filter.Author.isEmpty() ? TVezoExportFilter::UserName() : filter.Author);
  KeywordsE->setText(filter.Keywords);
  ApplyImageState();
  connect(ExportImagesCB, &QCheckBox::toggled, this, [this] { ApplyImageState(); });
  connect(ImageFormatCB, &QComboBox::currentIndexChanged, this, [this] { ApplyImageState(); });
  connect(OKB, &QPushButton::clicked, this, [this] { OKClick(); });
  connect(CancelB, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}

void TVezoExportDialog::ApplyImageState() {
  ImagesGB->setEnabled(ExportImagesCB->isChecked());
  const bool jpeg = ExportImagesCB->isChecked() && ImageFormatCB->currentData().toInt() == ifJPG;
  JPEGQualityL->setEnabled(jpeg);
  JPEGQualityE->setEnabled(jpeg);
}

void TVezoExportDialog::StoreValues() {
  const int quality = WholeNumber(JPEGQualityE->text());
  const int dpi = WholeNumber(ImageDPIE->text());
  filter_.ExportFrames = ExportFramesCB->isChecked();
  filter_.ExportRichText = ExportRichTextCB->isChecked();
  filter_.ExportImages = ExportImagesCB->isChecked();
  filter_.ExportImageFormat = TVezoImageFormat(ImageFormatCB->currentData().toInt());
  filter_.ImagePixelFormat = TVezoPixelFormat(PixelFormatCB->currentData().toInt());
  filter_.JPEGQuality = std::clamp(quality, 1, 100);
  filter_.ImageDPI = dpi;
  filter_.Author = AuthorE->text();
  filter_.Keywords = KeywordsE->text();
}

void TVezoExportDialog::OKClick() {
  try {
    StoreValues();
  } catch (const ErpConversionError& e) {
    MessageDlg(e.Message(), TMsgDlgType::Error, mbOK); // the dialog stays open
    return;
  }
  SetModalResult(mrOk);
}

// --- PDF

TVezoPDFExportDialog::TVezoPDFExportDialog(TVezoPDFExport& filter, QWidget* parent)
    : TVezoExportDialog(filter, parent), pdf_(filter) {
  setObjectName(QStringLiteral("TVezoPDFExportDialog"));
  SetCaption(QStringLiteral("PDF Export Options"));
  ImageFormatCB->removeItem(ImageFormatCB->findData(ifGIF));
  SelectValue(ImageFormatCB, filter.ExportImageFormat);
  CompressCB = new QCheckBox(QStringLiteral("Compress Document"), this);
  CompressCB->setChecked(filter.UseCompression);
  CompressionGB = new QGroupBox(this);
  auto* compression = new QFormLayout(CompressionGB);
  CompressionLevelCB = Combo(this, {QStringLiteral("Fastest"), QStringLiteral("Normal"), QStringLiteral("Maximum")});
  compression->addRow(QStringLiteral("Compression Level"), CompressionLevelCB);
  options_->addWidget(CompressCB);
  options_->addWidget(CompressionGB);
  connect(CompressCB, &QCheckBox::toggled, CompressionGB, &QWidget::setEnabled);
  CompressionGB->setEnabled(filter.UseCompression);
  TitleE->setText(filter.Title);
  SubjectE->setText(filter.Subject);
  SelectValue(RichTextEncodingCB, filter.RichTextEncodingType);
  SelectValue(CompressionLevelCB, filter.CompressionMethod);
}

void TVezoPDFExportDialog::StoreValues() {
  TVezoExportDialog::StoreValues();
  pdf_.RichTextEncodingType = TPsRichTextEncodingType(RichTextEncodingCB->currentData().toInt());
  pdf_.Title = TitleE->text();
  pdf_.Subject = SubjectE->text();
  pdf_.UseCompression = CompressCB->isChecked();
  pdf_.CompressionMethod = TPDFCompressionMethod(CompressionLevelCB->currentData().toInt());
}

// --- RTF

TVezoRTFExportDialog::TVezoRTFExportDialog(TVezoRTFExport& filter, QWidget* parent)
    : TVezoExportDialog(filter, parent), rtf_(filter) {
  setObjectName(QStringLiteral("TVezoRTFExportDialog"));
  SetCaption(QStringLiteral("RTF Export Options"));
  RichTextEncodingL->hide();
  RichTextEncodingCB->hide();
  // Title and subject are not asked here.
  for (QWidget* w : std::initializer_list<QWidget*>{TitleL, TitleE, SubjectL, SubjectE})
    w->hide();
  ImageFormatCB->removeItem(ImageFormatCB->findData(ifGIF));
  SelectValue(ImageFormatCB, filter.ExportImageFormat);
  GraphicDataInBinaryCB = new QCheckBox(QStringLiteral("Graphic Data In Binary"), this);
  GraphicDataInBinaryCB->setChecked(filter.GraphicDataInBinary);
  static_cast<QFormLayout*>(ImagesGB->layout())->addRow(GraphicDataInBinaryCB);
}

void TVezoRTFExportDialog::StoreValues() {
  TVezoExportDialog::StoreValues();
  rtf_.GraphicDataInBinary = GraphicDataInBinaryCB->isChecked();
}

// --- HTML

TVezoHTMLExportDialog::TVezoHTMLExportDialog(TVezoHTMLExport& filter, QWidget* parent)
    : TVezoExportDialog(filter, parent), html_(filter) {
  setObjectName(QStringLiteral("TVezoHTMLExportDialog"));
  SetCaption(QStringLiteral("HTML Export Options"));
  // The common controls go onto the first tab.
  Tabs = new QTabWidget(this);
  auto* content = new QWidget(Tabs);
  auto* contentColumn = new QVBoxLayout(content);
  main_->removeWidget(common_);
  contentColumn->addWidget(common_);
  auto* folderRow = new QHBoxLayout;
  ImageFolderE = new QLineEdit(filter.ImageDir, this);
  ImageFolderB = new QPushButton(QStringLiteral("..."), this);
  folderRow->addWidget(new QLabel(QStringLiteral("Image Folder"), this));
  folderRow->addWidget(ImageFolderE);
  folderRow->addWidget(ImageFolderB);
  contentColumn->addLayout(folderRow);
  Tabs->addTab(content, QStringLiteral("Content"));

  auto* files = new QWidget(Tabs);
  auto* filesColumn = new QVBoxLayout(files);
  SeparateFilePerPageCB = new QCheckBox(QStringLiteral("Separate File Per Page"), this);
  ShowNavigatorCB = new QCheckBox(QStringLiteral("Show Navigator"), this);
  NavigatorGB = new QGroupBox(this);
  auto* navigator = new QFormLayout(NavigatorGB);
  NavigatorTypeCB = Combo(this, {QStringLiteral("Fixed To Screen"), QStringLiteral("Fixed To Page")});
  BackColorB = new QPushButton(this);
  HoverForeColorB = new QPushButton(this);
  HoverBackColorB = new QPushButton(this);
  navigator->addRow(QStringLiteral("Navigator Type"), NavigatorTypeCB);
  navigator->addRow(QStringLiteral("Navigator Background Color"), BackColorB);
  navigator->addRow(QStringLiteral("Navigator Hover Foreground Color"), HoverForeColorB);
  navigator->addRow(QStringLiteral("Navigator Hover Background Color"), HoverBackColorB);
  TextLinksRB = new QRadioButton(QStringLiteral("Use Text Links"), this);
  GraphicLinksRB = new QRadioButton(QStringLiteral("Use Graphic Links"), this);
  navigator->addRow(TextLinksRB, GraphicLinksRB);
  LinkPages = new QStackedWidget(this);
  auto* textPage = new QWidget(LinkPages);
  auto* textForm = new QFormLayout(textPage);
  textForm->addRow(new QLabel(QStringLiteral("Link Captions"), this));
  auto* imagePage = new QWidget(LinkPages);
  auto* imageForm = new QFormLayout(imagePage);
  imageForm->addRow(new QLabel(QStringLiteral("Image Source"), this));
  const QString titles[] = {VezoTexts::kFirst, VezoTexts::kPrevious, VezoTexts::kNext, VezoTexts::kLast};
  const QString texts[] = {filter.LinkTextFirst, filter.LinkTextPrev, filter.LinkTextNext, filter.LinkTextLast};
  const QString images[] = {filter.LinkImgSRCFirst, filter.LinkImgSRCPrev, filter.LinkImgSRCNext,
                            filter.LinkImgSRCLast};
  linkFont_ = QFont(filter.LinkFontName);
  linkFont_.setPointSize(filter.LinkFontSize);
  linkFont_.setBold(filter.LinkFontStyle & 1);
  linkFont_.setItalic(filter.LinkFontStyle & 2);
  for (int i = 0; i < 4; ++i) {
    LinkTextE[i] = new QLineEdit(vzSymbolMarks(texts[i], filter.LinkFontName), this);
    LinkTextE[i]->setFont(linkFont_);
    textForm->addRow(titles[i], LinkTextE[i]);
    LinkImageE[i] = new QLineEdit(images[i], this);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    connect(browse, &QPushButton::clicked, this, [this, i] {
      const QString file =
          QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("*.bmp *.ico *.emf *.wmf"));
      if (!file.isEmpty()) LinkImageE[i]->setText(file);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(LinkImageE[i]);
    row->addWidget(browse);
    imageForm->addRow(titles[i], row);
  }
  FontB = new QPushButton(QStringLiteral("Font"), this);
  textForm->addRow(FontB);
  LinkPages->addWidget(textPage);
  LinkPages->addWidget(imagePage);
  navigator->addRow(LinkPages);
  filesColumn->addWidget(SeparateFilePerPageCB);
  filesColumn->addWidget(ShowNavigatorCB);
  filesColumn->addWidget(NavigatorGB);
  filesColumn->addStretch();
  Tabs->addTab(files, QStringLiteral("File and Navigator Options"));
  main_->insertWidget(0, Tabs);

  TitleE->setText(filter.Title);
  SubjectE->setText(filter.Subject);
  SelectValue(RichTextEncodingCB, filter.RichTextEncodingType);
  SeparateFilePerPageCB->setChecked(filter.SeparateFilePerPage);
  ShowNavigatorCB->setChecked(filter.ShowNavigator);
  SelectValue(NavigatorTypeCB, filter.NavigatorType);
  SetSwatch(BackColorB, filter.LinkBackColor);
  SetSwatch(HoverForeColorB, filter.LinkHoverForeColor);
  SetSwatch(HoverBackColorB, filter.LinkHoverBackColor);
  (filter.UseTextLinks ? TextLinksRB : GraphicLinksRB)->setChecked(true);
  LinkPages->setCurrentIndex(filter.UseTextLinks ? 0 : 1);
  ApplyNavigatorState();

  connect(SeparateFilePerPageCB, &QCheckBox::toggled, this, [this] { ApplyNavigatorState(); });
  connect(ShowNavigatorCB, &QCheckBox::toggled, this, [this] { ApplyNavigatorState(); });
  connect(TextLinksRB, &QRadioButton::toggled, this, [this](bool text) { LinkPages->setCurrentIndex(text ? 0 : 1); });
  for (QPushButton* swatch : {BackColorB, HoverForeColorB, HoverBackColorB})
    connect(swatch, &QPushButton::clicked, this, [this, swatch] {
      const QColor chosen = QColorDialog::getColor(ToQColor(SwatchColor(swatch)), this);
      if (chosen.isValid()) SetSwatch(swatch, FromQColor(chosen));
    });
  connect(FontB, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, linkFont_, this);
    if (!ok) return;
    linkFont_ = chosen;
    for (QLineEdit* edit : LinkTextE)
      edit->setFont(linkFont_);
  });
  connect(ImageFolderB, &QPushButton::clicked, this, [this] {
    const QString start = QFileInfo(rpActiveReport().FileName).absolutePath();
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Image Folder"), start);
    if (!folder.isEmpty()) ImageFolderE->setText(folder);
  });
}

void TVezoHTMLExportDialog::SetSwatch(QPushButton* swatch, quint32 color) {
  swatch->setProperty("color", color);
  swatch->setStyleSheet(QStringLiteral("background-color: %1").arg(ToQColor(color).name()));
}

quint32 TVezoHTMLExportDialog::SwatchColor(const QPushButton* swatch) const {
  return swatch->property("color").toUInt();
}

void TVezoHTMLExportDialog::ApplyNavigatorState() {
  ShowNavigatorCB->setEnabled(SeparateFilePerPageCB->isChecked());
  NavigatorGB->setEnabled(SeparateFilePerPageCB->isChecked() && ShowNavigatorCB->isChecked());
}

void TVezoHTMLExportDialog::StoreValues() {
  TVezoExportDialog::StoreValues();
  html_.RichTextEncodingType = TPsRichTextEncodingType(RichTextEncodingCB->currentData().toInt());
  html_.SeparateFilePerPage = SeparateFilePerPageCB->isChecked();
  html_.ShowNavigator = ShowNavigatorCB->isChecked();
  html_.NavigatorType = TVezoNavigatorType(NavigatorTypeCB->currentData().toInt());
  html_.LinkBackColor = SwatchColor(BackColorB);
  html_.LinkHoverForeColor = SwatchColor(HoverForeColorB);
  html_.LinkHoverBackColor = SwatchColor(HoverBackColorB);
  html_.UseTextLinks = TextLinksRB->isChecked();
  html_.LinkTextFirst = LinkTextE[0]->text();
  html_.LinkTextPrev = LinkTextE[1]->text();
  html_.LinkTextNext = LinkTextE[2]->text();
  html_.LinkTextLast = LinkTextE[3]->text();
  html_.LinkImgSRCFirst = LinkImageE[0]->text();
  html_.LinkImgSRCPrev = LinkImageE[1]->text();
  html_.LinkImgSRCNext = LinkImageE[2]->text();
  html_.LinkImgSRCLast = LinkImageE[3]->text();
  html_.LinkFontName = linkFont_.family();
  html_.LinkFontSize = linkFont_.pointSize() > 0 ? linkFont_.pointSize() : html_.LinkFontSize;
  html_.LinkFontStyle = quint8((linkFont_.bold() ? 1 : 0) | (linkFont_.italic() ? 2 : 0));
  html_.ImageDir = ImageFolderE->text();
  html_.Title = TitleE->text();
  html_.Subject = SubjectE->text();
}

// --- metafiles

TVezoMetafileExportDialog::TVezoMetafileExportDialog(TVezoGraphicExport& filter, QWidget* parent)
    : TForm(parent), filter_(filter) {
  setObjectName(QStringLiteral("TVezoMetafileExportDialog"));
  SetCaption(QStringLiteral("Metafile Export Options"));
  auto* form = new QFormLayout;
  ScaleXE = new QLineEdit(QString::number(filter.ScaleX, 'g', 15), this);
  ScaleYE = new QLineEdit(QString::number(filter.ScaleY, 'g', 15), this);
  form->addRow(QStringLiteral("Scale X"), ScaleXE);
  form->addRow(QStringLiteral("Scale Y"), ScaleYE);
  OKB = new QPushButton(QStringLiteral("OK"), this);
  OKB->setDefault(true);
  CancelB = new QPushButton(QStringLiteral("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKB);
  buttons->addWidget(CancelB);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(OKB, &QPushButton::clicked, this, [this] {
    try {
      const double x = rpStrToFloat(ScaleXE->text()), y = rpStrToFloat(ScaleYE->text());
      filter_.ScaleX = x;
      filter_.ScaleY = y;
      SetModalResult(mrOk);
    } catch (const Exception& e) {
      MessageDlg(e.Message(), TMsgDlgType::Error, mbOK); // the dialog stays open
    }
  });
  connect(CancelB, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
}
