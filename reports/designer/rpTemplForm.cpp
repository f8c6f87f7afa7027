#include "reports/designer/rpTemplForm.h"
#include "reports/designer/rpDesignerFiles.h"
#include "reports/designer/rpDialogButtons.h"
#include "reports/designer/rpGEditorForm.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QFileInfo>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

namespace {

QPixmap TemplatePreview(const QImage& picture) {
  return picture.isNull() ? QPixmap() : QPixmap::fromImage(picture.scaled(64, 64, Qt::KeepAspectRatio));
}

} // namespace

TrpTemplForm::TrpTemplForm(const QString& folder, QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53318));
  resize(460, 320);
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  TemplatesLV = new QListWidget(this);
  TemplatesLV->setObjectName(QStringLiteral("LV1"));
  TemplatesLV->setViewMode(QListView::IconMode);
  TemplatesLV->setIconSize(QSize(32, 32));
  TemplatesLV->setResizeMode(QListView::Adjust);
  TemplatesLV->setMovement(QListView::Static);
  row->addWidget(TemplatesLV, 1);
  auto* description = new QGroupBox(rpLoadStr(53319), this);
  auto* descriptionLayout = new QVBoxLayout(description);
  DescriptionMemo = new QPlainTextEdit(description);
  DescriptionMemo->setReadOnly(true);
  PictureImage = new QLabel(description);
  PictureImage->setAlignment(Qt::AlignCenter);
  PictureImage->setMinimumSize(64, 64);
  descriptionLayout->addWidget(DescriptionMemo, 1);
  descriptionLayout->addWidget(PictureImage);
  row->addWidget(description, 1);
  layout->addLayout(row, 1);
  layout->addLayout(rpOkCancelRow(this, &OkButton));
  OkButton->setEnabled(false);

  // The list sorts by caption; every item keeps its file.
  files_ = rpTemplateFiles(folder);
  const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
  for (const QString& file : files_) {
    auto* item = new QListWidgetItem(icon, QFileInfo(file).completeBaseName(), TemplatesLV);
    item->setData(Qt::UserRole, file);
  }
  // The list makes its first item current when it takes the focus, without selecting it.
  connect(TemplatesLV, &QListWidget::itemSelectionChanged, this, [this] { ShowTemplate(); });
  connect(TemplatesLV, &QListWidget::itemDoubleClicked, this, [this] {
    if (OkButton->isEnabled()) OkButton->click();
  });
}

void TrpTemplForm::ShowTemplate() {
  const QList<QListWidgetItem*> selected = TemplatesLV->selectedItems();
  const QListWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
  DescriptionMemo->clear();
  PictureImage->clear();
  fileName_ = item ? item->data(Qt::UserRole).toString() : QString();
  OkButton->setEnabled(item != nullptr);
  if (!item) return;
  TrpReport reader;
  QStringList description;
  QImage picture;
  if (reader.ReadTemplateFile(fileName_, &description, false, &picture)) {
    DescriptionMemo->setPlainText(description.join(QLatin1Char('\n')));
    PictureImage->setPixmap(TemplatePreview(picture));
  }
}

TrpTemplNewForm::TrpTemplNewForm(QWidget* parent) : TForm(parent) {
  SetCaption(rpLoadStr(53320));
  resize(360, 260);
  auto* layout = new QVBoxLayout(this);
  auto* commentLabel = new QLabel(rpLoadStr(53321), this);
  CommentMemo = new QPlainTextEdit(this);
  CommentMemo->setObjectName(QStringLiteral("Memo1"));
  commentLabel->setBuddy(CommentMemo);
  layout->addWidget(commentLabel);
  layout->addWidget(CommentMemo, 1);
  auto* pictureGroup = new QGroupBox(rpLoadStr(53322), this);
  auto* pictureRow = new QHBoxLayout(pictureGroup);
  PictureImage = new QLabel(pictureGroup);
  PictureImage->setMinimumSize(64, 64);
  BrowseButton = new QPushButton(rpLoadStr(53323), pictureGroup);
  pictureRow->addWidget(PictureImage, 1);
  pictureRow->addWidget(BrowseButton);
  layout->addWidget(pictureGroup);
  // The comment takes Enter for its own lines.
  layout->addLayout(rpOkCancelRow(this, nullptr, nullptr, false));
  connect(BrowseButton, &QPushButton::clicked, this, [this] {
    const QString file =
        QFileDialog::getOpenFileName(this, QString(), QString(), rpLoadStr(55217) + QStringLiteral(" (*.bmp)"));
    if (!file.isEmpty() && !LoadPicture(file)) rpGlobals().ErrorBox(rpInvalidPictureText(), rpLoadStr(55206));
  });
  CommentMemo->setFocus();
}

QStringList TrpTemplNewForm::Comment() const {
  const QString text = CommentMemo->toPlainText();
  return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

bool TrpTemplNewForm::LoadPicture(const QString& fileName) {
  QImage picture(fileName);
  if (picture.isNull()) return false;
  picture_ = picture;
  PictureImage->setPixmap(TemplatePreview(picture_));
  return true;
}
