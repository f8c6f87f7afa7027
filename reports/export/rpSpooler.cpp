#include "reports/export/rpSpooler.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include <QtCore/QFile>
#include <QtWidgets/QFileDialog>
#include <cups/cups.h>

TrpCupsSpooler::~TrpCupsSpooler() { ClosePrinter(); }

bool TrpCupsSpooler::OpenPrinter(const QString& printerName) {
  printer_ = printerName.toUtf8();
  cups_dest_t* destinations = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinations);
  const bool known = cupsGetDest(printer_.constData(), nullptr, count, destinations) != nullptr;
  cupsFreeDests(count, destinations);
  if (!known) printer_.clear();
  return known;
}

bool TrpCupsSpooler::StartDocument(const QString& documentName, const QString& dataType) {
  if (printer_.isEmpty() || dataType != QLatin1String("RAW")) return false;
  const QByteArray title = documentName.toUtf8();
  jobId_ = cupsCreateJob(CUPS_HTTP_DEFAULT, printer_.constData(), title.constData(), 0, nullptr);
  if (jobId_ <= 0) return false;
  if (cupsStartDocument(CUPS_HTTP_DEFAULT, printer_.constData(), jobId_, title.constData(), CUPS_FORMAT_RAW, 1) ==
      HTTP_STATUS_CONTINUE)
    return true;
  cupsCancelJob2(CUPS_HTTP_DEFAULT, printer_.constData(), jobId_, 0);
  jobId_ = 0;
  return false;
}

bool TrpCupsSpooler::Write(const QByteArray& block) {
  return jobId_ > 0 &&
         cupsWriteRequestData(CUPS_HTTP_DEFAULT, block.constData(), size_t(block.size())) == HTTP_STATUS_CONTINUE;
}

bool TrpCupsSpooler::EndDocument() {
  if (jobId_ <= 0) return false;
  const bool done = cupsFinishDocument(CUPS_HTTP_DEFAULT, printer_.constData()) == IPP_STATUS_OK;
  jobId_ = 0;
  return done;
}

void TrpCupsSpooler::ClosePrinter() {
  // A document left open is not printed half.
  if (jobId_ > 0) cupsCancelJob2(CUPS_HTTP_DEFAULT, printer_.constData(), jobId_, 0);
  jobId_ = 0;
}

bool TrpFileSpooler::StartDocument(const QString&, const QString& dataType) {
  open_ = dataType == QLatin1String("RAW");
  data_.clear();
  return open_;
}

bool TrpFileSpooler::Write(const QByteArray& block) {
  if (!open_) return false;
  data_ += block;
  return true;
}

bool TrpFileSpooler::EndDocument() {
  if (!open_) return false;
  open_ = false;
  QFile file(fileName_);
  const QIODevice::OpenMode mode = started_ ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate;
  if (!file.open(mode) || file.write(data_) != data_.size()) return false;
  started_ = true;
  return true;
}

std::function<std::unique_ptr<TrpSpooler>()> rpMakeSpooler = []() -> std::unique_ptr<TrpSpooler> {
  if (!rpPrinter().IsVirtual()) return std::make_unique<TrpCupsSpooler>();
  const QString fileName =
      QFileDialog::getSaveFileName(nullptr, QStringLiteral("Uložiť tlač do súboru"), QString(), rpLoadStr(55740));
  if (fileName.isEmpty()) return nullptr;
  return std::make_unique<TrpFileSpooler>(fileName);
};
