#pragma once
#include "reports/engine/rpExportFilter.h"
#include "reports/export/vzMetafile.h"
#include <QtCore/QStringList>

// Every prepared page as a picture file, drawn whole by the engine: the
// first page into the file chosen, each further page into a numbered file
// beside it ("pages0002.emf"). Each file has its own page's size times the
// scales.
class TVezoGraphicExport : public TrpExportFilter {
  Q_OBJECT
public:
  TVezoGraphicExport(QObject* owner, TVezoMetafile::TKind kind, const QString& extension);

  int OptionsDialog() override;
  void BeginDocument() override;
  void BeginPage() override;
  void EndPage() override;

  double ScaleX = 1, ScaleY = 1;
  QStringList PageFiles; // the files of the last run
  int PageIndex = 0;

private:
  TVezoMetafile::TKind kind_;
  QString extension_;
  bool savedVisible_ = false;
};

class TVezoEMFExport : public TVezoGraphicExport {
  Q_OBJECT
public:
  explicit TVezoEMFExport(QObject* owner = nullptr);
};

class TVezoWMFExport : public TVezoGraphicExport {
  Q_OBJECT
public:
  explicit TVezoWMFExport(QObject* owner = nullptr);
};
