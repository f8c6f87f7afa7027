#include "reports/objects/rpRichForm.h"
#include "core/Exception.h"
#include "platform/MessageDialogs.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "reports/objects/rpRichText.h"
#include "reports/objects/rpRtfReader.h"
#include "reports/objects/rpRtfWriter.h"
#include <QtCore/QCoreApplication>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QTextBlock>
#include <QtGui/QTextCursor>
#include <QtGui/QTextList>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFontDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QTextEdit>
#include <QtWidgets/QToolBar>
#include <QtWidgets/QToolTip>
#include <QtWidgets/QVBoxLayout>
#include <cmath>

namespace {

QPointer<TrpRichForm>& HiddenForm() {
  static QPointer<TrpRichForm> form;
  return form;
}

// A 16 x 16 glyph drawn by `paint` in black on transparent.
QImage Glyph(const std::function<void(QPainter&)>& paint) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  paint(p);
  return image;
}

QImage LetterGlyph(const QString& letter, bool bold, bool italic, bool underline) {
  return Glyph([&](QPainter& p) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(13);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
  });
}

QImage LinesGlyph(int alignment) {
  return Glyph([&](QPainter& p) {
    for (int i = 0; i < 5; ++i) {
      const int width = i % 2 ? 8 : 12;
      const int x = alignment == 0 ? 2 : alignment == 1 ? 14 - width : (16 - width) / 2;
      p.drawLine(x, 3 + 2 * i, x + width - 1, 3 + 2 * i);
    }
  });
}

QImage BulletsGlyph() {
  return Glyph([](QPainter& p) {
    for (int i = 0; i < 3; ++i) {
      p.fillRect(2, 3 + 4 * i, 2, 2, Qt::black);
      p.drawLine(6, 4 + 4 * i, 13, 4 + 4 * i);
    }
  });
}

// The ruler's indent marker: a small triangle pointing down (first line) or up.
QImage MarkerGlyph(bool pointsDown) {
  QImage image(9, 8, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(Qt::black);
  p.setBrush(Qt::lightGray);
  const QPoint down[] = {{0, 0}, {8, 0}, {4, 7}};
  const QPoint up[] = {{4, 0}, {8, 7}, {0, 7}};
  p.drawPolygon(pointsDown ? down : up, 3);
  return image;
}

TrpSpeedButton* MakeButton(QToolBar* bar, const char* name, const QImage& glyph, int tag) {
  auto* button = new TrpSpeedButton(bar);
  button->setObjectName(QLatin1String(name));
  button->SetGlyph(glyph);
  button->SetFlat(true);
  button->setProperty("HelpContext", tag);
  bar->addWidget(button);
  return button;
}

constexpr int kRulerHeight = 26;

} // namespace

TrpRichForm& rpRichForm() {
  QPointer<TrpRichForm>& form = HiddenForm();
  if (!form) form = new TrpRichForm;
  return *form;
}

void rpFreeRichForm() { delete HiddenForm().data(); }

std::function<QString(QWidget*, const QString&, bool)>& TrpRichForm::ChooseFile() {
  static std::function<QString(QWidget*, const QString&, bool)> chooser = [](QWidget* parent, const QString& filter,
                                                                             bool save) {
    const QString folder = QCoreApplication::applicationDirPath();
    return save ? QFileDialog::getSaveFileName(parent, QString(), folder, filter)
                : QFileDialog::getOpenFileName(parent, QString(), folder, filter);
  };
  return chooser;
}

TrpRichForm::TrpRichForm(QWidget* parent) : TForm(parent) {
  setObjectName(QStringLiteral("TrpRichForm"));
  resize(640, 420);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ToolBar = new QToolBar(this);
  layout->addWidget(ToolBar);
  OpenButton = MakeButton(ToolBar, "OpenButton", Glyph([](QPainter& p) {
                            p.drawRect(2, 5, 11, 8);
                            p.drawLine(2, 5, 5, 2);
                            p.drawLine(5, 2, 8, 2);
                          }),
                          300);
  SaveButton = MakeButton(ToolBar, "SaveButton", Glyph([](QPainter& p) {
                            p.drawRect(2, 2, 11, 11);
                            p.fillRect(5, 3, 6, 4, Qt::black);
                          }),
                          301);
  UndoButton = MakeButton(ToolBar, "UndoButton", LetterGlyph(QStringLiteral("\u21B6"), false, false, false), 302);
  ToolBar->addSeparator();
  FontName = new TrpFontComboBox(ToolBar);
  FontName->setObjectName(QStringLiteral("FontName"));
  FontName->setProperty("HelpContext", 307);
  ToolBar->addWidget(FontName);
  FontSize = new TrpComboBox(ToolBar);
  FontSize->setObjectName(QStringLiteral("FontSize"));
  FontSize->setProperty("HelpContext", 308);
  FontSize->setFixedWidth(50);
  for (int size : {5, 6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
    FontSize->addItem(QString::number(size));
  ToolBar->addWidget(FontSize);
  ToolBar->addSeparator();
  const auto engineGlyph = [](const char* name, const QImage& fallback) {
    const QImage glyph = rpGetLocale().LoadBitmapResource(QLatin1String(name));
    return glyph.isNull() ? fallback : glyph;
  };
  BoldButton = MakeButton(ToolBar, "BoldButton",
                          engineGlyph("RP_BOLD", LetterGlyph(QStringLiteral("B"), true, false, false)), 309);
  ItalicButton = MakeButton(ToolBar, "ItalicButton",
                            engineGlyph("RP_ITALIC", LetterGlyph(QStringLiteral("I"), false, true, false)), 310);
  UnderlineButton = MakeButton(ToolBar, "UnderlineButton",
                               engineGlyph("RP_UNDRLINE", LetterGlyph(QStringLiteral("U"), false, false, true)), 311);
  for (TrpSpeedButton* b : {BoldButton, ItalicButton, UnderlineButton}) {
    b->SetGroupIndex(int(b->property("HelpContext").toInt()));
    b->SetAllowAllUp(true);
  }
  ToolBar->addSeparator();
  LeftAlign = MakeButton(ToolBar, "LeftAlign", LinesGlyph(0), 312);
  CenterAlign = MakeButton(ToolBar, "CenterAlign", LinesGlyph(2), 313);
  RightAlign = MakeButton(ToolBar, "RightAlign", LinesGlyph(1), 314);
  for (TrpSpeedButton* b : {LeftAlign, CenterAlign, RightAlign})
    b->SetGroupIndex(1);
  BulletsButton = MakeButton(ToolBar, "BulletsButton", BulletsGlyph(), 315);
  BulletsButton->SetGroupIndex(2);
  BulletsButton->SetAllowAllUp(true);
  ToolBar->addSeparator();
  SpeedButton1 = MakeButton(ToolBar, "SpeedButton1", LetterGlyph(QStringLiteral("A"), true, false, false), 303);
  SpeedButton2 = MakeButton(ToolBar, "SpeedButton2", LetterGlyph(QStringLiteral("[]"), false, false, false), 304);
  HelpBtn = MakeButton(ToolBar, "HelpBtn", LetterGlyph(QStringLiteral("?"), true, false, false), 0);
  ToolBar->addSeparator();
  CancBtn = MakeButton(ToolBar, "CancBtn", LetterGlyph(QStringLiteral("\u2717"), false, false, false), 50);
  OkBtn = MakeButton(ToolBar, "OkBtn", LetterGlyph(QStringLiteral("\u2713"), true, false, false), 40);

  Ruler = new QWidget(this);
  Ruler->setObjectName(QStringLiteral("Ruler"));
  Ruler->setFixedHeight(kRulerHeight);
  Ruler->installEventFilter(this);
  layout->addWidget(Ruler);
  const auto marker = [this](const char* name, bool down, int y, int tag) {
    auto* label = new QLabel(Ruler);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(QPixmap::fromImage(MarkerGlyph(down)));
    label->setGeometry(2, y, 9, 8);
    label->setProperty("HelpContext", tag);
    label->installEventFilter(this);
    return label;
  };
  FirstInd = marker("FirstInd", true, 2, 316);
  LeftInd = marker("LeftInd", false, 16, 317);
  RightInd = marker("RightInd", false, 16, 318);

  RichEdit1 = new QTextEdit(this);
  RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
  RichEdit1->setProperty("HelpContext", 319);
  RichEdit1->setAcceptRichText(false);
  RichEdit1->setTabChangesFocus(false);
  RichEdit1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  RichEdit1->setFont(font);
  RichEdit1->document()->setDocumentMargin(6);
  layout->addWidget(RichEdit1);

  connect(RichEdit1, &QTextEdit::cursorPositionChanged, this, &TrpRichForm::SelectionChanged);
  connect(RichEdit1, &QTextEdit::selectionChanged, this, &TrpRichForm::SelectionChanged);
  connect(OpenButton, &TrpSpeedButton::clicked, this, [this] {
    const QString name = ChooseFile()(this, rpLoadStr(55218) + QStringLiteral(" (*.rtf)"), false);
    if (!name.isEmpty()) OpenFile(name);
  });
  connect(SaveButton, &TrpSpeedButton::clicked, this, [this] {
    const QString name = ChooseFile()(
        this, rpLoadStr(55218) + QStringLiteral(" (*.rtf);;") + rpLoadStr(55212) + QStringLiteral(" (*.txt)"), true);
    if (!name.isEmpty()) SaveFile(name);
  });
  connect(UndoButton, &TrpSpeedButton::clicked, RichEdit1, &QTextEdit::undo);
  for (TrpSpeedButton* b : {BoldButton, ItalicButton, UnderlineButton})
    connect(b, &TrpSpeedButton::clicked, this, &TrpRichForm::ApplyStyle);
  connect(LeftAlign, &TrpSpeedButton::clicked, this, [this] { SetAlignment(Qt::AlignLeft); });
  connect(CenterAlign, &TrpSpeedButton::clicked, this, [this] { SetAlignment(Qt::AlignHCenter); });
  connect(RightAlign, &TrpSpeedButton::clicked, this, [this] { SetAlignment(Qt::AlignRight); });
  connect(BulletsButton, &TrpSpeedButton::clicked, this, &TrpRichForm::ToggleBullets);
  connect(FontName, &TrpFontComboBox::Click, this, &TrpRichForm::ApplyFontName);
  connect(FontSize, &QComboBox::activated, this, &TrpRichForm::ApplyFontSize);
  connect(FontSize->lineEdit(), &QLineEdit::returnPressed, this, &TrpRichForm::ApplyFontSize);
  connect(SpeedButton1, &TrpSpeedButton::clicked, this, &TrpRichForm::ChooseFont);
  connect(SpeedButton2, &TrpSpeedButton::clicked, this, &TrpRichForm::InsertExpression);
  connect(HelpBtn, &TrpSpeedButton::clicked, this, &TrpRichForm::EnterHelpMode);
  connect(OkBtn, &TrpSpeedButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(CancBtn, &TrpSpeedButton::clicked, this, [this] { SetModalResult(mrCancel); });
  SetTexts();
}

TrpRichForm::~TrpRichForm() {
  if (helpMode_) {
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
  }
}

void TrpRichForm::SetTexts() {
  SetCaption(rpLoadStr(53560));
  const std::pair<QWidget*, int> hints[] = {{OpenButton, 53561},    {SaveButton, 53562},   {UndoButton, 53563},
                                            {BoldButton, 53564},    {ItalicButton, 53565}, {LeftAlign, 53566},
                                            {CenterAlign, 53567},   {RightAlign, 53568},   {UnderlineButton, 53569},
                                            {BulletsButton, 53570}, {SpeedButton1, 53571}, {HelpBtn, 53032},
                                            {CancBtn, 53572},       {OkBtn, 53573},        {SpeedButton2, 53575},
                                            {FontName, 53576},      {FontSize, 53577}};
  for (const auto& [widget, id] : hints)
    widget->setToolTip(rpLoadStr(id));
}

void TrpRichForm::SetText(const TrpRichText& text) {
  rpReadRtf(text.SaveRtf(), *RichEdit1->document());
  RichEdit1->document()->setDocumentMargin(6);
  RichEdit1->document()->clearUndoRedoStacks();
}

void TrpRichForm::GetText(TrpRichText& text) const { text.LoadRtf(rpWriteRtf(*RichEdit1->document())); }

void TrpRichForm::ClearText() { RichEdit1->clear(); }

void TrpRichForm::FormShow() {
  SetTexts();
  SelectionChanged();
}

void TrpRichForm::FormActivate() { RichEdit1->setFocus(); }

void TrpRichForm::SelectionChanged() {
  updating_ = true;
  const QTextCursor cursor = RichEdit1->textCursor();
  const QTextCharFormat format = cursor.charFormat();
  const QTextBlockFormat block = cursor.blockFormat();
  BoldButton->SetDown(format.fontWeight() >= QFont::DemiBold);
  ItalicButton->SetDown(format.fontItalic());
  UnderlineButton->SetDown(format.fontUnderline());
  BulletsButton->SetDown(cursor.currentList() != nullptr);
  const Qt::Alignment alignment = block.alignment() & Qt::AlignHorizontal_Mask;
  (alignment == Qt::AlignRight ? RightAlign : alignment == Qt::AlignHCenter ? CenterAlign : LeftAlign)->SetDown(true);
  const QStringList families = format.fontFamilies().toStringList();
  const QString family = families.isEmpty() ? RichEdit1->document()->defaultFont().family() : families.first();
  const int index = FontName->findText(family, Qt::MatchFixedString);
  if (index >= 0) FontName->setCurrentIndex(index);
  FontName->setEditText(family);
  const double size = format.hasProperty(QTextFormat::FontPointSize)
                          ? format.fontPointSize()
                          : RichEdit1->document()->defaultFont().pointSizeF();
  FontSize->setEditText(QString::number(qRound(size)));
  PlaceMarkers();
  updating_ = false;
}

void TrpRichForm::PlaceMarkers() {
  // Indents in points as the ruler shows them: the first line's, the other lines' (from the first), the right one.
  const QTextBlockFormat block = RichEdit1->textCursor().blockFormat();
  const double first = (block.leftMargin() + block.textIndent()) * 0.75;
  const double left = -block.textIndent() * 0.75;
  const double right = block.rightMargin() * 0.75;
  FirstInd->move(int(std::trunc(first * 4 / 3)) + 2, FirstInd->y());
  LeftInd->move(int(std::trunc((left + first) * 4 / 3)) + 2, LeftInd->y());
  RightInd->move(Ruler->width() - int(std::trunc((right + 6) * 4 / 3)) - 6, RightInd->y());
}

void TrpRichForm::IndentsFromRuler() {
  const int half = FirstInd->width() / 2;
  const int first = int(std::trunc((FirstInd->x() + half - 6) * 3 / 4.0));
  const int left = int(std::trunc((LeftInd->x() + half - 6) * 3 / 4.0)) - first;
  const int right = int(std::trunc((Ruler->width() - RightInd->x() + half - 2) * 3 / 4.0)) - 12;
  QTextBlockFormat block = RichEdit1->textCursor().blockFormat();
  // Points to pixels; the other lines start `left` after the first one.
  block.setTextIndent(-left / 0.75);
  block.setLeftMargin((first + left) / 0.75);
  block.setRightMargin(right / 0.75);
  RichEdit1->textCursor().setBlockFormat(block);
  SelectionChanged();
}

void TrpRichForm::MergeFormat(const QTextCharFormat& format) {
  QTextCursor cursor = RichEdit1->textCursor();
  if (cursor.hasSelection())
    cursor.mergeCharFormat(format);
  else
    RichEdit1->mergeCurrentCharFormat(format);
}

void TrpRichForm::ApplyStyle() {
  if (updating_) return;
  QTextCharFormat format;
  format.setFontWeight(BoldButton->Down() ? QFont::Bold : QFont::Normal);
  format.setFontItalic(ItalicButton->Down());
  format.setFontUnderline(UnderlineButton->Down());
  MergeFormat(format);
}

void TrpRichForm::SetAlignment(Qt::Alignment alignment) {
  if (updating_) return;
  RichEdit1->setAlignment(alignment);
}

void TrpRichForm::ToggleBullets() {
  if (updating_) return;
  QTextCursor cursor = RichEdit1->textCursor();
  if (QTextList* list = cursor.currentList()) {
    list->remove(cursor.block());
    QTextBlockFormat block = cursor.blockFormat();
    block.setIndent(0);
    cursor.setBlockFormat(block);
  } else {
    cursor.createList(QTextListFormat::ListDisc);
  }
}

void TrpRichForm::ApplyFontName() {
  if (updating_) return;
  QTextCharFormat format;
  format.setFontFamilies({FontName->currentText()});
  MergeFormat(format);
  RichEdit1->setFocus();
}

void TrpRichForm::ApplyFontSize() {
  if (updating_) return;
  bool ok = false;
  const int size = FontSize->currentText().trimmed().toInt(&ok);
  if (!ok || size <= 0) {
    MessageDlg(QStringLiteral("\"%1\" nie je platné celé číslo.").arg(FontSize->currentText()), TMsgDlgType::Error,
               mbOK);
    return;
  }
  QTextCharFormat format;
  format.setFontPointSize(size);
  MergeFormat(format);
  RichEdit1->setFocus();
}

void TrpRichForm::ChooseFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, RichEdit1->currentFont(), this);
  if (!ok) return;
  QTextCharFormat format;
  format.setFont(font);
  MergeFormat(format);
}

void TrpRichForm::InsertExpression() {
  const QString text = rpCurrentDesigner() ? rpCurrentDesigner()->InsertExpression() : QString();
  if (!text.isEmpty()) RichEdit1->insertPlainText(text);
  RichEdit1->setFocus();
}

void TrpRichForm::OpenFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw Exception(QStringLiteral("Súbor %1 sa nedá otvoriť: %2").arg(fileName, file.errorString()));
  const QByteArray data = file.readAll();
  if (rpReadRtf(data, *RichEdit1->document()) == 0) RichEdit1->document()->setPlainText(QString::fromLocal8Bit(data));
  RichEdit1->document()->setDocumentMargin(6);
  SelectionChanged();
}

void TrpRichForm::SaveFile(const QString& fileName) const {
  const bool plain = QFileInfo(fileName).suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
  const QByteArray data =
      plain ? RichEdit1->document()->toPlainText().toLocal8Bit() : rpWriteRtf(*RichEdit1->document());
  QFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size())
    throw Exception(QStringLiteral("Súbor %1 sa nedá zapísať: %2").arg(fileName, file.errorString()));
}

void TrpRichForm::EnterHelpMode() {
  helpMode_ = true;
  QApplication::setOverrideCursor(Qt::WhatsThisCursor);
  qApp->installEventFilter(this);
}

void TrpRichForm::resizeEvent(QResizeEvent* event) {
  TForm::resizeEvent(event);
  PlaceMarkers();
}

bool TrpRichForm::eventFilter(QObject* watched, QEvent* event) {
  if (helpMode_ && event->type() == QEvent::MouseButtonPress) {
    // The next click leaves help mode and shows the hint of the control it hit.
    helpMode_ = false;
    QApplication::restoreOverrideCursor();
    qApp->removeEventFilter(this);
    const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    for (QWidget* hit = QApplication::widgetAt(at); hit && hit != this; hit = hit->parentWidget())
      if (hit == HelpBtn) {
        break;
      } else if (!hit->toolTip().isEmpty()) {
        QToolTip::showText(at, hit->toolTip(), hit);
        break;
      }
    return true;
  }
  if (watched == Ruler && event->type() == QEvent::Paint) {
    QPainter p(Ruler);
    p.fillRect(Ruler->rect(), palette().color(QPalette::Button));
    const int margin = FirstInd->width() / 2 + 2;
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(margin, 12, Ruler->width() - margin, 12);
    for (int x = margin; x < Ruler->width() - margin; x += 48)
      p.drawLine(x, 10, x, 14);
    return false;
  }
  for (QLabel* marker : {FirstInd, LeftInd, RightInd}) {
    if (watched != marker) continue;
    if (event->type() == QEvent::MouseButtonPress) {
      dragged_ = marker;
      dragOffset_ = marker->width() / 2; // grabbed at its middle
      return true;
    }
    if (event->type() == QEvent::MouseMove && dragged_ == marker) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const int x = marker->mapToParent(mouse->position().toPoint()).x() - dragOffset_;
      marker->move(std::clamp(x, 0, Ruler->width() - marker->width()), marker->y());
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && dragged_ == marker) {
      dragged_ = nullptr;
      IndentsFromRuler();
      return true;
    }
  }
  return TForm::eventFilter(watched, event);
}
