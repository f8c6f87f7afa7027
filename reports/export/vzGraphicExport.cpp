#include "reports/export/vzGraphicExport.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpView.h"
#include "reports/export/rpExportUtils.h"
#include "reports/export/vzExportDialogs.h"
#include "reports/export/vzExportFilter.h"
#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QIODevice>
#include <QtGui/QPainter>

TVezoGraphicExport::TVezoGraphicExport(QObject* owner, TVezoMetafile::TKind kind, const QString& extension)
    : TrpExportFilter(owner), kind_(kind), extension_(extension) {
  ShowDialog = true;
}

TVezoEMFExport::TVezoEMFExport(QObject* owner)
    : TVezoGraphicExport(owner, TVezoMetafile::Enhanced, QStringLiteral("emf")) {
  Register(VezoTexts::kEmfDescription, QStringLiteral("*.emf"));
}

TVezoWMFExport::TVezoWMFExport(QObject* owner)
    : TVezoGraphicExport(owner, TVezoMetafile::Placeable, QStringLiteral("wmf")) {
  Register(VezoTexts::kWmfDescription, QStringLiteral("*.wmf"));
}

int TVezoGraphicExport::OptionsDialog() {
  if (!ShowDialog) return 1;
  TVezoMetafileExportDialog dialog(*this);
  return dialog.ShowModal();
}

void TVezoGraphicExport::BeginDocument() {
  PageIndex = 0;
  PageFiles.clear();
}

void TVezoGraphicExport::BeginPage() {
  const QString file =
      PageIndex == 0 ? FileName : QFileInfo(FileName).dir().filePath(PageFileName(FileName, PageIndex + 1, extension_));
  PageFiles.append(file);
  TrpEMFPage& page = rpActiveReport().EMFPages.GetPage(PageIndex);
  savedVisible_ = page.Visible;
  page.Visible = true; // so that the engine draws it
}

void TVezoGraphicExport::EndPage() {
  TrpReport& report = rpActiveReport();
  TrpEMFPage& page = report.EMFPages.GetPage(PageIndex);
  // Each page in its own size: pages of a report may differ.
  const QSizeF paper = vzPaperInches(page) * TVezoMetafile::kPixelsPerInch;
  const QSize size(rpRoundEven(paper.width() * ScaleX), rpRoundEven(paper.height() * ScaleY));
  TVezoMetafile picture(kind_, size);
  {
    QPainter painter(&picture);
    if (kind_ == TVezoMetafile::Enhanced) painter.fillRect(QRect(0, 0, size.width() + 1, size.height() + 1), Qt::white);
    report.EMFPages.Draw(PageIndex, &painter, QRect(QPoint(0, 0), size));
  }
  if (PageIndex == 0)
    Stream->write(picture.Data());
  else
    rpWriteWholeFile(PageFiles.last(), picture.Data());
  page.Visible = savedVisible_;
  // Only the pages on view keep their objects: a long report's pages would
  // otherwise all stay loaded until the export ends.
  if (!page.Visible) page.PageObject.reset();
  ++PageIndex;
}
