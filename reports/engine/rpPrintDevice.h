#pragma once
#include <QtCore/QString>

class QPainter;
struct TrpEMFPage;

// A paged output that prepared pages are printed on: a system printer or a
// PDF file. Each page is painted with the origin at the paper's top-left
// corner, in device pixels. Every operation raises Exception when the output
// fails; the caller then aborts the document.
class TrpPrintDevice {
public:
  virtual ~TrpPrintDevice() = default;

  // Whether the driver makes copies of each page itself.
  virtual bool CanCopy() const = 0;
  // Starts the document with the paper (size code, size, orientation, bin) of its first page.
  virtual void BeginDoc(const QString& title, int copies, const TrpEMFPage& paper) = 0;
  // Starts the next page; a page of other paper changes the paper from this page on.
  virtual void NewPage(const TrpEMFPage& paper) = 0;
  virtual QPainter& Canvas() = 0;
  virtual int DpiX() const = 0;
  virtual int DpiY() const = 0;
  // Completes the document (the file is written, the job handed to the system).
  virtual void EndDoc() = 0;
  // Drops the document; never raises.
  virtual void Abort() = 0;
};
