#pragma once
#include <QtCore/QObject>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QPolygon>
#include <functional>

class QPainter;

// The symbologies, in the order templates store them.
enum TrpBarcodeType : int {
  bcCode_2_5_interleaved,
  bcCode_2_5_industrial,
  bcCode_2_5_matrix,
  bcCode39,
  bcCode39Extended,
  bcCode128A,
  bcCode128B,
  bcCode128C,
  bcCode93,
  bcCode93Extended,
  bcCodeMSI,
  bcCodePostNet,
  bcCodeCodabar,
  bcCodeEAN8,
  bcCodeEAN13,
  bcCodeUPC_A,
  bcCodeUPC_E0,
  bcCodeUPC_E1,
  bcCodeUPC_Supp2,
  bcCodeUPC_Supp5,
  bcCodeEAN128A,
  bcCodeEAN128B,
  bcCodeEAN128C
};
enum TrpCheckSumMethod { csmNone, csmModulo10 };

struct TrpBarcodeTypeInfo {
  const char* Name; // the editor's list shows it
  bool Numeric;
  double MinRatio, MaxRatio; // 0: the ratio is left as it is
};
// The 23 symbologies' display names and rules, by type.
const TrpBarcodeTypeInfo& rpBarcodeTypeInfo(int type);

// Turns a text into the bar pattern of a symbology and paints it, rotated, on
// any painter. A pattern is a string of elements: "0".."3" spaces, "5".."8"
// bars and "A".."D" bars of 2/5 height, of the widths w0..w3 (Modul, Modul ×
// Ratio, that × 3/2, that × 2). A text a symbology cannot encode raises
// Exception with its message, and nothing is painted.
class TrpBarcode : public QObject {
  Q_OBJECT
public:
  explicit TrpBarcode(QObject* owner = nullptr);

  int Typ() const { return typ_; }
  void SetTyp(int typ);
  QString Text() const { return text_; }
  void SetText(const QString& text);
  int Modul() const { return modul_; }
  // 1 to 49; other values are ignored. Fires OnChange every time it takes one.
  void SetModul(int modul);
  double Ratio() const { return ratio_; }
  void SetRatio(double ratio);
  bool Checksum() const { return checksum_; }
  void SetChecksum(bool checksum);
  double Angle() const { return angle_; }
  void SetAngle(double angle);
  int Left() const { return left_; }
  void SetLeft(int left);
  int Top() const { return top_; }
  void SetTop(int top);
  int Height() const { return height_; }
  void SetHeight(int height);
  // The pattern's total width.
  int Width();
  // Scales Modul so that the pattern is about that wide.
  void SetWidth(int width);
  // Copies every property, OnChange included.
  void Assign(const TrpBarcode& other);

  // Prepares Text (padding, check digits) and answers the pattern.
  QString BuildPattern();
  // One element of the painted pattern: its corners as PaintTo fills them
  // (rotated by Angle, placed at Left, Top) and whether it is a bar.
  struct TElement {
    QPolygon Corners;
    bool Bar = false;
  };
  QList<TElement> Elements();
  // The pattern painted at Left, Top, rotated by Angle.
  void PaintTo(QPainter& painter);

  TrpCheckSumMethod CheckSumMethod = csmModulo10;
  QColor Color = Qt::white;
  QColor ColorBar = Qt::black;
  std::function<void(TrpBarcode* sender)> OnChange;

protected:
  virtual void Change();

private:
  int ElementWidth(QChar element) const;
  QString Internal() const;

  int typ_ = bcCodeEAN13;
  QString text_;
  int modul_ = 1;
  double ratio_ = 2.0;
  bool checksum_ = false;
  double angle_ = 0;
  int left_ = 0, top_ = 0, height_ = 0;
  int widths_[4] = {1, 2, 3, 4};
};

// "%s: internal Error" and the other messages name the generator's class.
constexpr const char* kBarcodeClassName = "TrpBarcode";
