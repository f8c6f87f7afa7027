#include "DialogFixture.h"
#include "core/DateTime.h"
#include "reports/engine/rpReportDesigner.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/rpValue.h"
#include "reports/objects/dialog/rpDBLookupControl.h"
#include "reports/objects/dialog/rpDialogControls.h"
#include "reports/objects/dialog/rpFBDatabase.h"
#include "reports/objects/dialog/rpFBQuery.h"
#include "reports/objects/dialog/rpLookupComboBox.h"
#include <QtTest/QTest>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>

namespace {

#define S(text) QStringLiteral(text)

using DialogControlsTest = DialogFixture;

QByteArray Record(TrpView& view) {
  TBinaryWriter stream;
  view.SaveToStream(stream);
  return stream.Data();
}

TEST_F(DialogControlsTest, EveryControlsRecordRoundTripsByteForByte) {
  const struct {
    const char* ClassName;
    QList<QPair<QString, QVariant>> Properties;
  } cases[] = {
      {"TrpLabelControl",
       {{S("CAPTION"), S("Dátum od:")}, {S("ALIGNMENT"), 2}, {S("WORDWRAP"), true}, {S("AUTOSIZE"), false}}},
      {"TrpEditControl", {{S("TEXT"), S("Čierna Voda")}, {S("READONLY"), true}, {S("COLOR"), 0xFF}}},
      {"TrpMemoControl", {{S("TEXT"), S("prvý\r\ndruhý")}, {S("ENABLED"), false}}},
      {"TrpButtonControl", {{S("CAPTION"), S("Tlačiť")}, {S("MODALRESULT"), 1}, {S("FONT.SIZE"), 12}}},
      {"TrpCheckBoxControl", {{S("CAPTION"), S("Aj zrušené")}, {S("CHECKED"), true}, {S("ALIGNMENT"), 0}}},
      {"TrpRadioButtonControl", {{S("CAPTION"), S("Podľa mena")}, {S("FONT.STYLE"), 3}}},
      {"TrpListBoxControl", {{S("ITEMS.COUNT"), 2}}},
      {"TrpComboBoxControl", {{S("STYLE"), 3}, {S("FONT.NAME"), S("Liberation Serif")}}},
      {"TrpDateEditControl", {{S("DATEFORMAT"), 1}, {S("FONT.COLOR"), 0x8000}}},
      {"TrpDBLookupControl", {{S("KEYFIELD"), S("ID")}, {S("LISTFIELD"), S("NAZOV")}}},
  };
  for (const auto& c : cases) {
    TrpReport report;
    auto* control = Add<TrpStdControl>(report, QLatin1String(c.ClassName), S("C1"));
    ASSERT_NE(control, nullptr) << c.ClassName;
    for (const auto& [name, value] : c.Properties)
      control->WriteProperty(name, value);
    if (auto* list = dynamic_cast<TrpListBoxControl*>(control)) list->SetItems({S("a"), S("b")});
    if (auto* combo = dynamic_cast<TrpComboBoxControl*>(control)) combo->SetItems({S("Senec;1"), S("Pezinok;2")});
    const QByteArray saved = Record(*control);
    auto copy = rpNewObjectOfType(10, QLatin1String(c.ClassName));
    TBinaryReader stream(saved);
    copy->LoadFromStream(stream);
    EXPECT_TRUE(stream.AtEnd()) << c.ClassName;
    EXPECT_EQ(Record(*copy).toHex(), saved.toHex()) << c.ClassName;
    for (const auto& [name, value] : c.Properties)
      EXPECT_EQ(rpValueToText(copy->ReadProperty(name)), rpValueToText(value))
          << c.ClassName << " " << name.toStdString();
  }
}

// A combo box record of the given versions with the stored style byte (none for 10).
QByteArray ComboRecord(int version, int subVersion, int style) {
  TrpComboBoxControl combo;
  combo.Name = S("Combo");
  QByteArray record = Record(combo);
  const int versionAt = 2 + 5 + 1; // length word, "Combo", its closing byte
  record[versionAt] = char(version);
  record[versionAt + 1] = char(subVersion);
  record.chop(1);
  // A common record of version 1 ends before the band alignment byte.
  TBinaryWriter common;
  combo.TrpView::SaveToStream(common);
  if (version < 2) record.remove(common.Size() - 1, 1);
  if (version * 10 + subVersion > 10) record.append(char(style));
  return record;
}

TEST_F(DialogControlsTest, ComboStyleIsReadByRecordVersion) {
  const struct {
    int Version, SubVersion, Stored, Style;
  } cases[] = {{1, 0, -1, 0}, {2, 0, 0, 0}, {2, 0, 1, 2}, {2, 0, 2, 3}, {2, 1, 2, 2}, {2, 1, 3, 3}};
  for (const auto& c : cases) {
    TrpComboBoxControl combo;
    const QByteArray record = ComboRecord(c.Version, c.SubVersion, c.Stored);
    TBinaryReader stream(record);
    combo.LoadFromStream(stream);
    EXPECT_TRUE(stream.AtEnd());
    EXPECT_EQ(combo.Style, c.Style) << c.Version << c.SubVersion << " stored " << c.Stored;
    // Saved again: version 21 and the style as it is.
    const QByteArray again = Record(combo);
    EXPECT_EQ(again.right(1), QByteArray(1, char(c.Style)));
    EXPECT_EQ(combo.RecordVersion * 10 + combo.RecordSubVersion, 21);
  }
}

TEST_F(DialogControlsTest, ModalResultMakesTheButtonDefaultOrCancel) {
  TrpButtonControl button;
  for (const auto& [result, isDefault, isCancel] : {std::tuple{1, true, false}, {2, false, true}, {0, false, false}}) {
    button.WriteProperty(S("MODALRESULT"), result);
    EXPECT_EQ(button.Button()->isDefault(), isDefault) << result;
    EXPECT_EQ(button.ReadProperty(S("CANCEL")).toBool(), isCancel) << result;
    EXPECT_EQ(button.ReadProperty(S("DEFAULT")).toBool(), isDefault) << result;
  }
}

TEST_F(DialogControlsTest, LookupStyleTextIsTheValueAfterTheFirstSemicolon) {
  TrpComboBoxControl combo;
  combo.SetItems({S("Senec ;  SC 01 ; x"), S("Bez hodnoty")});
  combo.WriteProperty(S("STYLE"), 3);
  combo.WriteProperty(S("ITEMINDEX"), 0);
  EXPECT_EQ(combo.ReadProperty(S("TEXT")), S("SC 01 ; x"));
  combo.WriteProperty(S("ITEMINDEX"), 1);
  EXPECT_EQ(combo.ReadProperty(S("TEXT")), S("Bez hodnoty"));
  combo.WriteProperty(S("STYLE"), 0);
  combo.WriteProperty(S("ITEMINDEX"), 0);
  EXPECT_EQ(combo.ReadProperty(S("TEXT")), S("Senec ;  SC 01 ; x"));
}

TEST_F(DialogControlsTest, BackspaceClearsADropDownListAndEditsADropDown) {
  TrpComboBoxControl combo;
  combo.SetItems({S("jeden"), S("dva")});
  combo.WriteProperty(S("STYLE"), 2);
  combo.WriteProperty(S("ITEMINDEX"), 1);
  QTest::keyClick(combo.Box(), Qt::Key_Backspace);
  EXPECT_EQ(combo.Box()->currentIndex(), -1);
  combo.WriteProperty(S("STYLE"), 0);
  combo.WriteProperty(S("ITEMINDEX"), 1);
  QTest::keyClick(combo.Box()->lineEdit(), Qt::Key_End);
  QTest::keyClick(combo.Box()->lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(combo.Box()->currentText(), S("dv"));
}

TEST_F(DialogControlsTest, GeometryReachesTheWidgetOnlyWhileAReportRuns) {
  TrpEditControl edit;
  edit.Control()->setGeometry(0, 0, 121, 21);
  edit.WriteProperty(S("LEFT"), 50);
  EXPECT_EQ(edit.Left, 50);
  EXPECT_EQ(edit.Control()->x(), 0);
  rpRun().EngineMode = true;
  edit.WriteProperty(S("LEFT"), 60);
  rpRun().EngineMode = false;
  EXPECT_EQ(edit.Control()->x(), 60);
}

TEST_F(DialogControlsTest, DateIsTheDateItselfWithoutTheTimeOfDay) {
  TrpDateEditControl date;
  // 5.3.1925 18:00: a short date with two-digit years would make it 2025.
  date.WriteProperty(S("DATE"), DateTime::EncodeDate(1925, 3, 5) + 0.75);
  const QVariant read = date.ReadProperty(S("DATE"));
  EXPECT_EQ(rpValueKind(read), TrpValueKind::DateTime);
  EXPECT_EQ(rpValueToFloat(read), DateTime::EncodeDate(1925, 3, 5));
}

TEST_F(DialogControlsTest, AutoSizingLabelTakesItsSizeFromTheCaption) {
  TrpLabelControl label;
  label.WriteProperty(S("CAPTION"), S("Dlhší popis poľa"));
  label.Draw(rpRun(), nullptr);
  EXPECT_EQ(label.Width, label.Label()->sizeHint().width());
  label.WriteProperty(S("AUTOSIZE"), false);
  label.SetBounds(0, 0, 300, 40);
  label.Draw(rpRun(), nullptr);
  EXPECT_EQ(label.Label()->size(), QSize(300, 40));
  label.CallMethod(rpRun(), S("SETFOCUS"), {}, {}, {}); // a label takes no focus
  EXPECT_FALSE(label.Label()->hasFocus());
}

// Records what the font editor asks of the designer.
class RecordingDesigner : public TrpReportDesigner {
public:
  void BeforeChange() override { calls.append(S("before")); }
  void AfterChange() override { calls.append(S("after")); }
  QStringList calls;
};

TEST_F(DialogControlsTest, FontReachesOnlySelectedModifiableStandardControls) {
  TrpReport report;
  auto* free = Add<TrpEditControl>(report, S("TrpEditControl"), S("Volny"));
  auto* restricted = Add<TrpButtonControl>(report, S("TrpButtonControl"), S("Zamknuty"));
  auto* unselected = Add<TrpLabelControl>(report, S("TrpLabelControl"), S("Nevybraty"));
  auto* lookup = Add<TrpDBLookupControl>(report, S("TrpDBLookupControl"), S("Lookup"));
  auto* query = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Dotaz"));
  restricted->Restrictions = rrModify;
  for (TrpView* view : QList<TrpView*>{free, restricted, lookup, query})
    view->IsSelected = 1;
  RecordingDesigner designer;
  designer.Page = report.Pages.GetPage(0);
  rpSetCurrentDesigner(&designer);
  TrpFont font;
  font.Name = S("Liberation Serif");
  font.Size = 14;
  TrpStdControl::ApplyFontToSelection(font);
  rpSetCurrentDesigner(nullptr);
  EXPECT_EQ(designer.calls, (QStringList{S("before"), S("after")}));
  EXPECT_EQ(free->Font(), font);
  EXPECT_EQ(lookup->Font(), font);
  EXPECT_NE(restricted->Font(), font);
  EXPECT_NE(unselected->Font(), font);
}

TEST_F(DialogControlsTest, LookupBeforeItsQueryBindsAfterLoadingAndReturnsTheKey) {
  QByteArray saved;
  {
    TrpReport report;
    auto* lookup = Add<TrpDBLookupControl>(report, S("TrpDBLookupControl"), S("Mesto"));
    auto* database = Add<TrpFBDatabase>(report, S("TrpFBDatabase"), S("Db"));
    database->WriteProperty(S("LOGINPROMPT"), false);
    database->WriteProperty(S("DATABASENAME"), fresh.Path());
    database->WriteProperty(S("CONNECTED"), true);
    auto* towns = Add<TrpFBQuery>(report, S("TrpFBQuery"), S("Mesta"));
    towns->WriteProperty(S("DATABASE"), S("Db"));
    towns->WriteProperty(S("SQL"), S("SELECT ID, NAZOV FROM MESTA ORDER BY ID"));
    lookup->WriteProperty(S("LISTSOURCE"), S("Mesta"));
    lookup->WriteProperty(S("KEYFIELD"), S("ID"));
    lookup->WriteProperty(S("LISTFIELD"), S("NAZOV"));
    EXPECT_EQ(lookup->ReadProperty(S("LISTSOURCE")), S("Mesta"));
    saved = report.SaveToStream();
  }
  TrpReport loaded;
  loaded.LoadFromStream(saved, false);
  auto* lookup = Find<TrpDBLookupControl>(loaded, S("Mesto"));
  ASSERT_NE(lookup, nullptr);
  EXPECT_EQ(lookup->ReadProperty(S("LISTSOURCE")), S("Mesta"));
  EXPECT_TRUE(lookup->ReadProperty(S("TEXT")).isNull());
  lookup->Box()->Refill();
  ASSERT_EQ(lookup->Box()->count(), 2);
  EXPECT_EQ(lookup->Box()->itemText(1), S("Pezinok"));
  lookup->Box()->setCurrentIndex(1);
  emit lookup->Box()->activated(1);
  EXPECT_EQ(lookup->ReadProperty(S("TEXT")).toInt(), 2);
  lookup->WriteProperty(S("TEXT"), 1);
  EXPECT_EQ(lookup->Box()->currentText(), S("Senec"));
}

} // namespace
