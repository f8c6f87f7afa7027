#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <functional>
#include <memory>

// The spooler calls of raw printing: open a printer by name, start a
// document of a data type ("RAW": the bytes go to the printer unchanged),
// start a page, write blocks, end page and document, close. Each call
// answers false when the printer refused it.
class TrpSpooler {
public:
  virtual ~TrpSpooler() = default;
  virtual bool OpenPrinter(const QString& printerName) = 0;
  virtual bool StartDocument(const QString& documentName, const QString& dataType) = 0;
  virtual bool StartPage() = 0;
  virtual bool Write(const QByteArray& block) = 0;
  virtual bool EndPage() = 0;
  virtual bool EndDocument() = 0;
  virtual void ClosePrinter() = 0;
};

// Raw jobs of the system's printers through CUPS.
class TrpCupsSpooler : public TrpSpooler {
public:
  ~TrpCupsSpooler() override;
  bool OpenPrinter(const QString& printerName) override;
  bool StartDocument(const QString& documentName, const QString& dataType) override;
  bool StartPage() override { return jobId_ > 0; }
  bool Write(const QByteArray& block) override;
  bool EndPage() override { return jobId_ > 0; }
  bool EndDocument() override;
  void ClosePrinter() override;

private:
  QByteArray printer_;
  int jobId_ = 0;
};

// The virtual printer's raw output: the documents of one print, one after
// the other, in a file the user named.
class TrpFileSpooler : public TrpSpooler {
public:
  explicit TrpFileSpooler(QString fileName) : fileName_(std::move(fileName)) {}
  bool OpenPrinter(const QString&) override { return !fileName_.isEmpty(); }
  bool StartDocument(const QString& documentName, const QString& dataType) override;
  bool StartPage() override { return open_; }
  bool Write(const QByteArray& block) override;
  bool EndPage() override { return open_; }
  bool EndDocument() override;
  void ClosePrinter() override {}

private:
  QString fileName_;
  QByteArray data_;
  bool open_ = false;
  bool started_ = false; // the first document replaces the file, later ones follow it
};

// The spooler of a raw print on the report printer's current printer: CUPS
// for a system printer; for the virtual printer a file the user names (null
// when the user names none). Tests replace it.
extern std::function<std::unique_ptr<TrpSpooler>()> rpMakeSpooler;
