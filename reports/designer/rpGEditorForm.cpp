#include "reports/designer/rpGEditorForm.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QBuffer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr quint8 kBitmapKind = 1, kMetafileKind = 2, kIconKind = 3, kJpegKind = 4;

quint8 GraphicKindOfFile(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("wmf") || suffix == QLatin1String("emf")) return kMetafileKind;
  if (suffix == QLatin1String("ico")) return kIconKind;
  if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return kJpegKind;
  return kBitmapKind;
}

void DrawWorkingPicture(QPainter& painter, const TrpGraphic& picture, QSize area, const QPalette& palette) {
  painter.fillRect(QRect(QPoint(0, 0), area), palette.color(QPalette::Window));
  if (picture.IsEmpty()) {
    const QString none = rpLoadStr(55076);
    const int width = painter.fontMetrics().horizontalAdvance(none);
    painter.drawText((area.width() - width) / 2, 100, none);
    return;
  }
  const QRect target = rpPicturePreviewRect(picture.Size(), area);
  if (!picture.Image.isNull()) {
    painter.drawImage(target, picture.Image);
    return;
  }
  const QRect bounds = picture.Recording.boundingRect();
  if (bounds.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.scale(double(target.width()) / bounds.width(), double(target.height()) / bounds.height());
  painter.translate(-bounds.topLeft());
  painter.drawPicture(0, 0, picture.Recording);
  painter.restore();
}

} // namespace

QString rpInvalidPictureText() { return QStringLiteral("Neplatný obrázok"); }

TrpGEditorForm::TrpGEditorForm(QWidget* parent) : TrpObjEditorForm(parent) {
  SetCaption(rpLoadStr(53460));
  resize(400, 300);
  auto* layout = new QHBoxLayout(this);
  PreviewArea = new QWidget(this);
  PreviewArea->setObjectName(QStringLiteral("PaintBox1"));
  PreviewArea->setMinimumSize(260, 240);
  PreviewArea->installEventFilter(this);
  layout->addWidget(PreviewArea, 1);
  auto* buttons = new QVBoxLayout;
  LoadButton = new QPushButton(rpLoadStr(53462), this);
  ClearButton = new QPushButton(rpLoadStr(53463), this);
  buttons->addWidget(LoadButton);
  buttons->addWidget(ClearButton);
  buttons->addStretch(1);
  QHBoxLayout* okRow = rpOkCancelRow(this);
  buttons->addLayout(okRow);
  layout->addLayout(buttons);
  connect(LoadButton, &QPushButton::clicked, this, [this] {
    QFileDialog dialog(this);
    dialog.setOption(QFileDialog::ReadOnly, true);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({rpLoadStr(55216) + QStringLiteral(" (*.bmp *.jpg *.ico *.wmf *.emf)"),
                           rpLoadStr(55221) + QStringLiteral(" (*)")});
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      LoadPicture(dialog.selectedFiles().first());
  });
  connect(ClearButton, &QPushButton::clicked, this, [this] {
    ClearPicture();
    PreviewArea->update();
  });
}

int TrpGEditorForm::ShowEditor(TrpView* object) {
  auto* picture = dynamic_cast<TrpPictureView*>(object);
  if (!picture) return mrCancel;
  Working = picture->Picture;
  PreviewArea->update();
  const int result = ShowModal();
  if (result != mrOk) return result;
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->BeforeChange();
  picture->Picture = Working;
  if (TrpReportDesigner* designer = rpCurrentDesigner()) designer->AfterChange();
  return result;
}

bool TrpGEditorForm::LoadPicture(const QString& fileName) {
  QFile file(fileName);
  TrpGraphic loaded;
  if (file.open(QIODevice::ReadOnly)) loaded.Load(GraphicKindOfFile(fileName), file.readAll());
  // Metafiles of other programs and broken files decode to nothing: the picture stays.
  if (loaded.Size().isEmpty()) {
    rpGlobals().ErrorBox(rpInvalidPictureText(), rpLoadStr(55206));
    return false;
  }
  Working = loaded;
  PreviewArea->update();
  return true;
}

bool TrpGEditorForm::PastePicture() {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) {
    rpGlobals().ErrorBox(rpInvalidPictureText(), rpLoadStr(55206));
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  Working.Load(kBitmapKind, bytes);
  PreviewArea->update();
  return true;
}

bool TrpGEditorForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PreviewArea && event->type() == QEvent::Paint) {
    QPainter painter(PreviewArea);
    DrawWorkingPicture(painter, Working, PreviewArea->size(), palette());
    return true;
  }
  return TrpObjEditorForm::eventFilter(watched, event);
}

void TrpGEditorForm::keyPressEvent(QKeyEvent* event) {
  const bool paste = (event->key() == Qt::Key_V && event->modifiers() == Qt::ControlModifier) ||
                     (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier);
  if (paste) {
    PastePicture();
    return;
  }
  TrpObjEditorForm::keyPressEvent(event);
}
