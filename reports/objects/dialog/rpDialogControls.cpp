#include "reports/objects/dialog/rpDialogControls.h"
#include "core/DateTime.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/dialog/rpDialogEditors.h"
#include "reports/objects/rpObjectUtils.h"
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QStyledItemDelegate>

namespace {

bool Is(const QString& name, const char* upper) { return name == QLatin1String(upper); }
bool AsBool(const QVariant& value) { return rpValueToInteger(value) != 0; }
QString LinesText(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

// Runs the replace between the designer's before-change and after-change, unless the object is restricted.
void ReplaceLines(const TrpView& view, const QStringList& current,
                  const std::function<void(const QStringList&)>& apply) {
  QString text = current.join(QLatin1Char('\n'));
  if (!rpEditLines(text) || (view.Restrictions & rrModify)) return;
  TrpReportDesigner* designer = rpCurrentDesigner();
  if (designer) designer->BeforeChange();
  apply(rpSplitLines(text));
  if (designer) designer->AfterChange();
}

// A drop-down list clears its choice on Delete or Backspace.
class TComboKeys : public QObject {
public:
  TComboKeys(QComboBox* box, const int& style) : QObject(box), style_(style) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || style_ == TrpComboBoxControl::csDropDown) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Delete && key != Qt::Key_Backspace) return false;
    static_cast<QComboBox*>(parent())->setCurrentIndex(-1);
    return true;
  }

private:
  const int& style_;
};

// The csLookup style shows each item's text up to its first ";".
class TLookupItemDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QString displayText(const QVariant& value, const QLocale&) const override {
    return value.toString().section(QLatin1Char(';'), 0, 0);
  }
};

} // namespace

// --- label

TrpLabelControl::TrpLabelControl() : TrpStdControl(new QLabel(QStringLiteral("Label"))) {
  SetKind(10, QStringLiteral("Label"), QStringLiteral("TrpLabelControl"));
  rpSetScriptConstant("taLeftJustify", 0);
  rpSetScriptConstant("taRightJustify", 1);
  rpSetScriptConstant("taCenter", 2);
  Label()->setFocusPolicy(Qt::NoFocus);
  FitSize();
}

QLabel* TrpLabelControl::Label() const { return static_cast<QLabel*>(Control()); }

void TrpLabelControl::ApplyAlignment() {
  const Qt::Alignment horizontal = Alignment == 1 ? Qt::AlignRight : Alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
  Label()->setAlignment(horizontal | Qt::AlignTop);
}

void TrpLabelControl::FitSize() {
  if (!AutoSize || !Label()) return;
  Label()->adjustSize();
  Width = Label()->width();
  Height = Label()->height();
}

void TrpLabelControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "ALIGNMENT")) {
    Alignment = quint8(rpValueToInteger(value));
    ApplyAlignment();
  } else if (Is(n, "AUTOSIZE")) {
    AutoSize = AsBool(value);
  } else if (Is(n, "CAPTION")) {
    Label()->setText(rpValueToText(value));
  } else if (Is(n, "WORDWRAP")) {
    Label()->setWordWrap(AsBool(value));
  }
}

QVariant TrpLabelControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "ALIGNMENT")) return rpIntegerValue(Alignment);
  if (Is(n, "AUTOSIZE")) return AutoSize;
  if (Is(n, "CAPTION")) return Label()->text();
  if (Is(n, "WORDWRAP")) return Label()->wordWrap();
  return inherited;
}

void TrpLabelControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddEnumPropertyRec(QStringLiteral("Alignment"), QStringLiteral("taLeftJustify;taRightJustify;taCenter"),
                     QVariantList{0, 1, 2});
  AddPropertyRec(QStringLiteral("AutoSize"), ptBoolean);
  AddPropertyRec(QStringLiteral("Caption"), ptText);
  AddPropertyRec(QStringLiteral("WordWrap"), ptBoolean);
}

void TrpLabelControl::Draw(TrpRunContext& run, QPainter* canvas) {
  PrepareDrawing(run, canvas);
  if (AutoSize)
    FitSize();
  else
    Label()->resize(Width, Height);
  ToDeviceCoords(!run.EngineMode);
  PaintControlImage();
  RestoreDesignCoords();
}

void TrpLabelControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  Alignment = rpReadByte(stream);
  AutoSize = rpReadBoolean(stream);
  Label()->setText(rpReadReportString(stream));
  Label()->setWordWrap(rpReadBoolean(stream));
  ApplyAlignment();
  FitSize();
}

void TrpLabelControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteByte(stream, Alignment);
  rpWriteBoolean(stream, AutoSize);
  rpWriteString(stream, Label()->text());
  rpWriteBoolean(stream, Label()->wordWrap());
}

void TrpLabelControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Alignment"), Alignment);
  rpXmlAttribute(element, QStringLiteral("AutoSize"), AutoSize ? 1 : 0);
  rpXmlAttribute(element, QStringLiteral("Caption"), Label()->text());
  rpXmlAttribute(element, QStringLiteral("WordWrap"), Label()->wordWrap() ? 1 : 0);
}

// --- edit

TrpEditControl::TrpEditControl() : TrpStdControl(new QLineEdit(QStringLiteral("Edit"))) {
  SetKind(10, QStringLiteral("Edit"), QStringLiteral("TrpEditControl"));
  SetColor(clWindow);
  SetBounds(Left, Top, 121, 21);
}

QLineEdit* TrpEditControl::Edit() const { return static_cast<QLineEdit*>(Control()); }

void TrpEditControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "TEXT"))
    Edit()->setText(rpValueToText(value));
  else if (Is(n, "READONLY"))
    Edit()->setReadOnly(AsBool(value));
}

QVariant TrpEditControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "TEXT")) return Edit()->text();
  if (Is(n, "READONLY")) return Edit()->isReadOnly();
  return inherited;
}

void TrpEditControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Text"), ptText);
  AddPropertyRec(QStringLiteral("ReadOnly"), ptBoolean);
}

void TrpEditControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  Edit()->setText(rpReadReportString(stream));
  Edit()->setReadOnly(rpReadBoolean(stream));
}

void TrpEditControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteString(stream, Edit()->text());
  rpWriteBoolean(stream, Edit()->isReadOnly());
}

void TrpEditControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Text"), Edit()->text());
  rpXmlAttribute(element, QStringLiteral("ReadOnly"), Edit()->isReadOnly() ? 1 : 0);
}

// --- memo

TrpMemoControl::TrpMemoControl() : TrpStdControl(new QPlainTextEdit(QStringLiteral("Memo"))) {
  SetKind(10, QStringLiteral("Memo"), QStringLiteral("TrpMemoControl"));
  SetColor(clWindow);
  SetBounds(Left, Top, 185, 89);
}

QPlainTextEdit* TrpMemoControl::Memo() const { return static_cast<QPlainTextEdit*>(Control()); }

void TrpMemoControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "READONLY"))
    Memo()->setReadOnly(AsBool(value));
  else if (Is(n, "TEXT"))
    Memo()->setPlainText(rpValueToText(value));
}

QVariant TrpMemoControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "READONLY")) return Memo()->isReadOnly();
  if (Is(n, "LINES.COUNT")) return rpIntegerValue(rpSplitLines(Memo()->toPlainText()).size());
  if (Is(n, "TEXT")) return LinesText(rpSplitLines(Memo()->toPlainText()));
  return inherited;
}

QVariant TrpMemoControl::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                    const QVariant& a3) {
  QVariant result = TrpStdControl::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  QStringList lines = rpSplitLines(Memo()->toPlainText());
  const QStringList before = lines;
  if (StringsMethod(run, lines, name.toUpper(), result, a1, a2, a3, QStringLiteral("LINES")) && lines != before)
    Memo()->setPlainText(lines.join(QLatin1Char('\n')));
  return result;
}

void TrpMemoControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Lines"), ptEditor | ptSingleOnly, [this] { EditLines(); });
  AddPropertyRec(QStringLiteral("Lines.Count"), 0);
  AddPropertyRec(QStringLiteral("ReadOnly"), ptBoolean);
  AddPropertyRec(QStringLiteral("Text"), 0);
}

void TrpMemoControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  Memo()->setPlainText(rpReadReportString(stream));
  Memo()->setReadOnly(rpReadBoolean(stream));
}

void TrpMemoControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteString(stream, LinesText(rpSplitLines(Memo()->toPlainText())));
  rpWriteBoolean(stream, Memo()->isReadOnly());
}

void TrpMemoControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Lines.Text"), LinesText(rpSplitLines(Memo()->toPlainText())));
  rpXmlAttribute(element, QStringLiteral("ReadOnly"), Memo()->isReadOnly() ? 1 : 0);
}

void TrpMemoControl::EditLines() {
  ReplaceLines(*this, rpSplitLines(Memo()->toPlainText()),
               [this](const QStringList& lines) { Memo()->setPlainText(lines.join(QLatin1Char('\n'))); });
}

// --- button

TrpButtonControl::TrpButtonControl() : TrpStdControl(new QPushButton(QStringLiteral("Button"))) {
  SetKind(10, QStringLiteral("Button"), QStringLiteral("TrpButtonControl"));
  SetBounds(Left, Top, 75, 25);
  QObject::connect(Button(), &QPushButton::clicked, Button(), [this] {
    if (ModalResult != 0)
      if (auto* form = qobject_cast<TForm*>(Button()->window())) form->SetModalResult(ModalResult);
    ControlClick();
  });
}

QPushButton* TrpButtonControl::Button() const { return static_cast<QPushButton*>(Control()); }

void TrpButtonControl::SetModalResult(int result) {
  ModalResult = result;
  Cancel = result == 2;
  Button()->setDefault(result == 1);
  Button()->setAutoDefault(result == 1);
}

void TrpButtonControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "CAPTION"))
    Button()->setText(rpValueToText(value));
  else if (Is(n, "MODALRESULT"))
    SetModalResult(int(rpValueToInteger(value)));
  else if (Is(n, "CANCEL"))
    Cancel = AsBool(value);
  else if (Is(n, "DEFAULT"))
    Button()->setDefault(AsBool(value));
}

QVariant TrpButtonControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "CAPTION")) return Button()->text();
  if (Is(n, "MODALRESULT")) return rpIntegerValue(ModalResult);
  if (Is(n, "CANCEL")) return Cancel;
  if (Is(n, "DEFAULT")) return Button()->isDefault();
  return inherited;
}

void TrpButtonControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Cancel"), 0);
  AddPropertyRec(QStringLiteral("Caption"), ptText);
  AddPropertyRec(QStringLiteral("Default"), 0);
  AddEnumPropertyRec(QStringLiteral("ModalResult"), QStringLiteral("mrNone;mrOk;mrCancel"), QVariantList{0, 1, 2});
}

void TrpButtonControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  Button()->setText(rpReadReportString(stream));
  SetModalResult(qint16(rpReadWord(stream)));
}

void TrpButtonControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteString(stream, Button()->text());
  rpWriteWord(stream, quint16(ModalResult));
}

void TrpButtonControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Caption"), Button()->text());
  rpXmlAttribute(element, QStringLiteral("ModalResult"), ModalResult);
}

// --- check box and radio button

TrpCheckControl::TrpCheckControl(QAbstractButton* button) : TrpStdControl(button) {
  QObject::connect(button, &QAbstractButton::clicked, button, [this] { ControlClick(); });
}

QAbstractButton* TrpCheckControl::Button() const { return static_cast<QAbstractButton*>(Control()); }

void TrpCheckControl::ApplyAlignment() {
  // The caption stands right of the box unless left justified.
  Button()->setLayoutDirection(Alignment == 0 ? Qt::RightToLeft : Qt::LeftToRight);
}

void TrpCheckControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "ALIGNMENT")) {
    Alignment = quint8(rpValueToInteger(value));
    ApplyAlignment();
  } else if (Is(n, "CHECKED")) {
    Button()->setChecked(AsBool(value));
  } else if (Is(n, "CAPTION")) {
    Button()->setText(rpValueToText(value));
  }
}

QVariant TrpCheckControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "ALIGNMENT")) return rpIntegerValue(Alignment);
  if (Is(n, "CHECKED")) return Button()->isChecked();
  if (Is(n, "CAPTION")) return Button()->text();
  return inherited;
}

void TrpCheckControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddEnumPropertyRec(QStringLiteral("Alignment"), QStringLiteral("taLeftJustify;taRightJustify"), QVariantList{0, 1});
  AddPropertyRec(QStringLiteral("Checked"), ptBoolean);
  AddPropertyRec(QStringLiteral("Caption"), ptText);
}

void TrpCheckControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  Alignment = rpReadByte(stream);
  Button()->setChecked(rpReadBoolean(stream));
  Button()->setText(rpReadReportString(stream));
  ApplyAlignment();
}

void TrpCheckControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteByte(stream, Alignment);
  rpWriteBoolean(stream, Button()->isChecked());
  rpWriteString(stream, Button()->text());
}

void TrpCheckControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Caption"), Button()->text());
  rpXmlAttribute(element, QStringLiteral("Alignment"), Alignment);
  rpXmlAttribute(element, QStringLiteral("Checked"), Button()->isChecked() ? 1 : 0);
}

TrpCheckBoxControl::TrpCheckBoxControl() : TrpCheckControl(new QCheckBox(QStringLiteral("CheckBox"))) {
  SetKind(10, QStringLiteral("CheckBox"), QStringLiteral("TrpCheckBoxControl"));
  SetBounds(Left, Top, 97, 17);
}

TrpRadioButtonControl::TrpRadioButtonControl() : TrpCheckControl(new QRadioButton(QStringLiteral("RadioButton"))) {
  SetKind(10, QStringLiteral("RadioButton"), QStringLiteral("TrpRadioButtonControl"));
  SetBounds(Left, Top, 113, 17);
}

// --- list box

TrpListBoxControl::TrpListBoxControl() : TrpStdControl(new QListWidget) {
  SetKind(10, QStringLiteral("ListBox"), QStringLiteral("TrpListBoxControl"));
  SetColor(clWindow);
  SetBounds(Left, Top, 121, 97);
  QObject::connect(List(), &QListWidget::itemClicked, List(), [this] { ControlClick(); });
}

QListWidget* TrpListBoxControl::List() const { return static_cast<QListWidget*>(Control()); }

QStringList TrpListBoxControl::Items() const {
  QStringList items;
  for (int i = 0; i < List()->count(); ++i)
    items.append(List()->item(i)->text());
  return items;
}

void TrpListBoxControl::SetItems(const QStringList& items) {
  List()->clear();
  List()->addItems(items);
}

void TrpListBoxControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  if (Is(name.toUpper(), "ITEMINDEX")) List()->setCurrentRow(int(rpValueToInteger(value)));
}

QVariant TrpListBoxControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "ITEMINDEX")) return rpIntegerValue(List()->currentRow());
  if (Is(n, "ITEMS.COUNT")) return rpIntegerValue(List()->count());
  return inherited;
}

QVariant TrpListBoxControl::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                       const QVariant& a3) {
  QVariant result = TrpStdControl::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  QStringList items = Items();
  if (StringsMethod(run, items, name.toUpper(), result, a1, a2, a3, QStringLiteral("ITEMS")) && items != Items())
    SetItems(items);
  return result;
}

void TrpListBoxControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Items"), ptEditor | ptSingleOnly, [this] { EditItems(); });
  AddPropertyRec(QStringLiteral("ItemIndex"), 0);
  AddPropertyRec(QStringLiteral("Items.Count"), 0);
}

void TrpListBoxControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  QStringList items;
  rpReadReportMemo(stream, items);
  SetItems(items);
}

void TrpListBoxControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteMemo(stream, Items());
}

void TrpListBoxControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Items.Text"), LinesText(Items()));
}

void TrpListBoxControl::EditItems() {
  ReplaceLines(*this, Items(), [this](const QStringList& items) { SetItems(items); });
}

// --- combo box

TrpComboBoxControl::TrpComboBoxControl() : TrpStdControl(new QComboBox) {
  SetKind(10, QStringLiteral("ComboBox"), QStringLiteral("TrpComboBoxControl"));
  rpSetScriptConstant("csDropDown", csDropDown);
  rpSetScriptConstant("csDropDownList", csDropDownList);
  rpSetScriptConstant("csLookup", csLookup);
  SetColor(clWindow);
  SetBounds(Left, Top, 145, 21);
  Box()->installEventFilter(new TComboKeys(Box(), Style));
  SetStyle(csDropDown);
  QObject::connect(Box(), &QComboBox::activated, Box(), [this] { ControlClick(); });
}

QComboBox* TrpComboBoxControl::Box() const { return static_cast<QComboBox*>(Control()); }

void TrpComboBoxControl::SetItems(const QStringList& items) {
  const QString text = Box()->currentText();
  Box()->clear();
  Box()->addItems(items);
  if (Style == csDropDown) Box()->setEditText(text);
}

void TrpComboBoxControl::SetStyle(int style) {
  Style = style;
  QComboBox& box = *Box();
  box.setEditable(style == csDropDown);
  box.setItemDelegate(style == csLookup ? new TLookupItemDelegate(&box) : new QStyledItemDelegate(&box));
}

QString TrpComboBoxControl::Text() const {
  const QString shown = Box()->currentText();
  if (Style != csLookup) return shown;
  const qsizetype semicolon = shown.indexOf(QLatin1Char(';'));
  if (semicolon < 0) return shown;
  return shown.mid(semicolon + 1, 255).trimmed();
}

void TrpComboBoxControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "ITEMINDEX"))
    Box()->setCurrentIndex(int(rpValueToInteger(value)));
  else if (Is(n, "STYLE"))
    SetStyle(int(rpValueToInteger(value)));
}

QVariant TrpComboBoxControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  if (Is(n, "ITEMINDEX")) return rpIntegerValue(Box()->currentIndex());
  if (Is(n, "STYLE")) return rpIntegerValue(Style);
  if (Is(n, "TEXT")) return Text();
  if (Is(n, "ITEMS.COUNT")) return rpIntegerValue(Box()->count());
  return inherited;
}

QVariant TrpComboBoxControl::CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                                        const QVariant& a3) {
  QVariant result = TrpStdControl::CallMethod(run, name, a1, a2, a3);
  if (!rpIsNull(result)) return result;
  QStringList items = rpItemsOf(*Box());
  if (StringsMethod(run, items, name.toUpper(), result, a1, a2, a3, QStringLiteral("ITEMS")) &&
      items != rpItemsOf(*Box()))
    SetItems(items);
  return result;
}

void TrpComboBoxControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Items"), ptEditor | ptSingleOnly, [this] { EditItems(); });
  AddPropertyRec(QStringLiteral("ItemIndex"), 0);
  AddPropertyRec(QStringLiteral("Items.Count"), 0);
  AddEnumPropertyRec(QStringLiteral("Style"), QStringLiteral("csDropDown;csDropDownList;csLookup"),
                     QVariantList{0, 2, 3});
  AddPropertyRec(QStringLiteral("Text"), 0);
}

void TrpComboBoxControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  QStringList items;
  rpReadReportMemo(stream, items);
  SetItems(items);
  const int version = RecordVersionPair();
  if (version <= 10) return; // written before the style was stored
  int style = rpReadByte(stream);
  // Records up to 20 counted the lookup style one lower.
  if (version <= 20 && style != 0) ++style;
  WriteProperty(QStringLiteral("Style"), style);
}

void TrpComboBoxControl::SaveToStream(TBinaryWriter& stream) {
  RecordSubVersion = 1;
  TrpStdControl::SaveToStream(stream);
  rpWriteMemo(stream, rpItemsOf(*Box()));
  rpWriteByte(stream, quint8(Style));
}

void TrpComboBoxControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("Items.Text"), LinesText(rpItemsOf(*Box())));
  rpXmlAttribute(element, QStringLiteral("Style"), Style);
}

void TrpComboBoxControl::EditItems() {
  ReplaceLines(*this, rpItemsOf(*Box()), [this](const QStringList& items) { SetItems(items); });
}

// --- date edit

TrpDateEditControl::TrpDateEditControl() : TrpStdControl(new QDateEdit(QDate::currentDate())) {
  SetKind(10, QStringLiteral("DateEdit"), QStringLiteral("TrpDateEditControl"));
  rpSetScriptConstant("dfShort", 0);
  rpSetScriptConstant("dfLong", 1);
  SetColor(clWindow);
  SetBounds(Left, Top, 145, 21);
  DateEdit()->setCalendarPopup(true);
  SetDateFormat(0);
}

QDateEdit* TrpDateEditControl::DateEdit() const { return static_cast<QDateEdit*>(Control()); }

void TrpDateEditControl::SetDateFormat(int format) {
  DateFormat = quint8(format);
  DateEdit()->setDisplayFormat(format == 1 ? QStringLiteral("d. MMMM yyyy") : QStringLiteral("d.M.yyyy"));
}

void TrpDateEditControl::WriteProperty(const QString& name, const QVariant& value) {
  TrpStdControl::WriteProperty(name, value);
  const QString n = name.toUpper();
  if (Is(n, "DATE"))
    DateEdit()->setDate(DateTime::ToDate(rpValueToFloat(value)));
  else if (Is(n, "DATEFORMAT"))
    SetDateFormat(int(rpValueToInteger(value)));
}

QVariant TrpDateEditControl::ReadProperty(const QString& name) {
  const QVariant inherited = TrpStdControl::ReadProperty(name);
  if (!rpIsNull(inherited)) return inherited;
  const QString n = name.toUpper();
  // The date itself, not its short text, which would lose the century under two-digit-year formats.
  if (Is(n, "DATE")) return rpDateTimeValue(DateTime::FromDate(DateEdit()->date()));
  if (Is(n, "DATEFORMAT")) return rpIntegerValue(DateFormat);
  return inherited;
}

void TrpDateEditControl::ListProperties() {
  TrpStdControl::ListProperties();
  AddPropertyRec(QStringLiteral("Date"), 0);
  AddEnumPropertyRec(QStringLiteral("DateFormat"), QStringLiteral("dfShort;dfLong"), QVariantList{0, 1});
}

void TrpDateEditControl::LoadFromStream(TBinaryReader& stream) {
  TrpStdControl::LoadFromStream(stream);
  SetDateFormat(rpReadByte(stream));
}

void TrpDateEditControl::SaveToStream(TBinaryWriter& stream) {
  TrpStdControl::SaveToStream(stream);
  rpWriteByte(stream, DateFormat);
}

void TrpDateEditControl::WriteXmlElement(QString& element) {
  TrpStdControl::WriteXmlElement(element);
  rpXmlAttribute(element, QStringLiteral("DateFormat"), DateFormat);
}
