#pragma once
#include <QtCore/QPointer>
#include <QtWidgets/QComboBox>

class QLabel;

// The flat combo box of the report windows: an editable drop-down that draws
// its own thin frame and narrow button and lights up while the mouse is over
// it, it has the focus or its list is open. Its edit field starts after an
// image area of EditIndent pixels; the open list is exactly as wide as the
// box and as high as its visible items.
class TrpCustomComboBox : public QComboBox {
  Q_OBJECT
public:
  static constexpr int kButtonWidth = 11;

  explicit TrpCustomComboBox(QWidget* parent = nullptr);

  int EditIndent() const { return editIndent_; }
  int DropDownCount() const { return maxVisibleItems(); }
  void SetDropDownCount(int count) { setMaxVisibleItems(count); }
  int ItemHeight() const { return itemHeight_; }
  // The edit field refuses typing.
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // The open list's height: the visible items and 4 pixels, one item when
  // the list is empty or DropDownCount is not above 0.
  int ListHeight() const;
  bool DroppedUpward() const { return droppedUpward_; }
  // Lit: designing, open, focused or under the mouse.
  bool IsHot() const;

  void showPopup() override;
  void hidePopup() override;

protected:
  void SetEditIndent(int indent);
  // Paints the image area left of the text; the base fills it with the window colour.
  virtual void DrawImage(QPainter& painter, const QRect& rect);
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  virtual void PopupShown() {}
  virtual void PopupHidden() {}

private:
  void PlaceEdit();
  void TakeFontHeight();

  int editIndent_ = 0;
  int itemHeight_ = 0;
  bool readOnly_ = false;
  bool mouseInside_ = false;
  bool dropped_ = false;
  bool droppedUpward_ = false;
};

// The general flat combo box (font sizes, frame widths).
class TrpComboBox : public TrpCustomComboBox {
  Q_OBJECT
public:
  using TrpCustomComboBox::TrpCustomComboBox;
};

// The pop-up beside an open font list showing the highlighted font large.
class TrpFontPreview : public QWidget {
  Q_OBJECT
public:
  explicit TrpFontPreview(QWidget* box);
  void ShowFont(const QString& family);
  QString Family() const;

private:
  QLabel* panel_;
};

// The font box: the installed families, each marked when it is a scalable
// (TrueType) font, a preview of the highlighted font beside the open list,
// and the five fonts chosen last at the top of the list, below a line,
// remembered under MRURegKey ("Font0".."Font4" names, "FontType0".."FontType4"
// types, 0 the newest). The list is filled again when the system's fonts change.
class TrpFontComboBox : public TrpCustomComboBox {
  Q_OBJECT
public:
  static constexpr int kMaxRecent = 5;
  static constexpr int kTrueType = 4; // the font-type bit of scalable fonts

  explicit TrpFontComboBox(QWidget* parent = nullptr);

  bool ShowMRU() const { return showMRU_; }
  void SetShowMRU(bool show) { showMRU_ = show; }
  QString MRURegKey() const { return mruRegKey_; }
  // An empty text restores the default key.
  void SetMRURegKey(const QString& key);
  // Entries 0 .. RecentCount() - 1 are the remembered fonts.
  int RecentCount() const { return recentCount_; }
  TrpFontPreview* Preview() const { return preview_; }

  // Lists the families (the remembered ones first); keeps the text when it
  // names a listed font, else selects the first entry.
  void FillFontList();

signals:
  // A font was chosen from the list (not while the list is filled).
  void Click();

protected:
  void DrawImage(QPainter& painter, const QRect& rect) override;
  void PopupShown() override;
  void PopupHidden() override;

private:
  void FontChosen(int index);
  void WriteRecent();
  void ReadRecent();

  bool showMRU_ = true;
  QString mruRegKey_;
  int recentCount_ = 0;
  bool filling_ = false;
  QPointer<TrpFontPreview> preview_;
  friend class TrpFontItemDelegate;
};

// The scalable-font mark drawn before TrueType families (15 x 12 pixels).
QImage rpTrueTypeMark();
