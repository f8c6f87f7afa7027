#pragma once
#include "reports/objects/dialog/rpStdControl.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The nine standard controls of dialog pages. Each record holds, after the
// base block, the fields of its class; texts, items and choices are reached
// by scripts as named properties.

class TrpLabelControl : public TrpStdControl {
public:
  TrpLabelControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  // An auto-sizing label gives the object its size; otherwise it takes the object's.
  void Draw(TrpRunContext& run, QPainter* canvas) override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;

  QLabel* Label() const;
  bool AutoSize = true;
  quint8 Alignment = 0; // 0 left, 1 right, 2 centre

private:
  void ApplyAlignment();
  void FitSize();
};

class TrpEditControl : public TrpStdControl {
public:
  TrpEditControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QLineEdit* Edit() const;

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
};

class TrpMemoControl : public TrpStdControl {
public:
  TrpMemoControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QPlainTextEdit* Memo() const;
  void EditLines();

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
};

class TrpButtonControl : public TrpStdControl {
public:
  TrpButtonControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QPushButton* Button() const;
  // Sets the result and makes the button the default one exactly for 1 and the cancel one exactly for 2.
  void SetModalResult(int result);
  int ModalResult = 0;
  bool Cancel = false;
};

// The check box and the radio button share their record and properties.
class TrpCheckControl : public TrpStdControl {
public:
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  quint8 Alignment = 1; // 0 the caption left of the box, 1 right of it

protected:
  explicit TrpCheckControl(class QAbstractButton* button);
  QAbstractButton* Button() const;

private:
  void ApplyAlignment();
};

class TrpCheckBoxControl : public TrpCheckControl {
public:
  TrpCheckBoxControl();
};

class TrpRadioButtonControl : public TrpCheckControl {
public:
  TrpRadioButtonControl();
};

class TrpListBoxControl : public TrpStdControl {
public:
  TrpListBoxControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QListWidget* List() const;
  QStringList Items() const;
  void SetItems(const QStringList& items);
  void EditItems();

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
};

class TrpComboBoxControl : public TrpStdControl {
public:
  enum TComboStyle : quint8 { csDropDown = 0, csDropDownList = 2, csLookup = 3 };
  TrpComboBoxControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QComboBox* Box() const;
  void SetItems(const QStringList& items);
  void SetStyle(int style);
  int Style = csDropDown;
  // The shown text, or in the csLookup style the value after the first ";", trimmed.
  QString Text() const;
  void EditItems();

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
};

class TrpDateEditControl : public TrpStdControl {
public:
  TrpDateEditControl();
  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  void ListProperties() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  void WriteXmlElement(QString& element) override;
  QDateEdit* DateEdit() const;
  void SetDateFormat(int format);
  quint8 DateFormat = 0; // 0 short, 1 long

protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
};
