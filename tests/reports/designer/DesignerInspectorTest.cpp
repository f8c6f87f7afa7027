#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpInspForm.h"
#include "reports/designer/rpSelectionProperties.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpLocale.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/ui/rpDock.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QScopeGuard>
#include <QtWidgets/QComboBox>

namespace {

#define INS(text) QStringLiteral(text)

// Two texts side by side on a master band.
class DesignerInspector : public DesignerFixture {
protected:
  DesignerInspector() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    TrpPage* page = report->Pages.GetPage(0);
    band = AddBand(page, btMasterData, INS("MasterData1"), 100, 20);
    first = AddText(page, INS("Priezvisko"), {40, 100, 100, 18}, INS("[MASTER.\"PRIEZVISKO\"]"));
    second = AddText(page, INS("Meno"), {150, 102, 100, 18}, INS("[MASTER.\"MENO\"]"));
  }
  ~DesignerInspector() override { TRegistry::Root().DeleteKey(rpRegistryRoot()); }

  // The names and texts of the rows, in order.
  static QStringList Rows(TrpInspForm& inspector) {
    QStringList rows;
    for (int i = 0; i < inspector.Props().Count(); ++i)
      rows << inspector.Props().Row(i).Name + INS("=") + inspector.Props().Row(i).Text;
    return rows;
  }

  TrpView* band = nullptr;
  TrpView* first = nullptr;
  TrpView* second = nullptr;
};

TEST_F(DesignerInspector, TheSelectionSharesItsCommonPropertiesSortedWithDifferingValuesEmpty) {
  const auto names = [](const QList<TrpSelectionProperty>& properties) {
    QStringList list;
    for (const TrpSelectionProperty& p : properties)
      list << p.Rec.Name;
    return list;
  };
  const QList<TrpSelectionProperty> one = rpSelectionProperties({first});
  EXPECT_TRUE(names(one).contains(INS("Name"))) << "one object: its name too";
  QStringList sorted = names(one);
  std::sort(sorted.begin(), sorted.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  EXPECT_EQ(names(one), sorted);

  const QList<TrpSelectionProperty> two = rpSelectionProperties({first, second});
  EXPECT_FALSE(names(two).contains(INS("Name"))) << "a name belongs to one object";
  const auto value = [&](const QString& name) {
    for (const TrpSelectionProperty& p : two)
      if (p.Rec.Name == name) return p.Value;
    ADD_FAILURE() << name.toStdString() << " missing";
    return QVariant();
  };
  EXPECT_EQ(value(INS("Width")).toInt(), 100);
  EXPECT_TRUE(value(INS("Left")).isNull()) << "the values differ";
  EXPECT_TRUE(names(two).contains(INS("Font.Name")));

  const QStringList withBand = names(rpSelectionProperties({first, band}));
  EXPECT_FALSE(withBand.contains(INS("Font.Name"))) << "a band has no font";
  EXPECT_TRUE(withBand.contains(INS("Top")));
}

TEST_F(DesignerInspector, AValueTypedForSeveralObjectsGoesToEachOfThem) {
  TrpDesignerForm form(*report, true);
  form.show();
  TrpInspForm* inspector = form.Inspector();
  ASSERT_NE(inspector, nullptr);
  form.Selection().SetSelected(first, true);
  form.Selection().SetSelected(second, true);
  form.RefreshInspector();
  EXPECT_TRUE(inspector->ObjectName.isEmpty()) << "no one object's name";
  const QStringList rows = Rows(*inspector);
  EXPECT_TRUE(rows.contains(INS("Top="))) << rows.join(INS(", ")).toStdString();
  EXPECT_TRUE(rows.contains(INS("Width=100")));
  inspector->SetItemIndex(inspector->Props().IndexOf(INS("Top")));
  inspector->ApplyEditText(INS("110"));
  EXPECT_EQ(first->Top, 110);
  EXPECT_EQ(second->Top, 110);
  EXPECT_TRUE(Rows(*inspector).contains(INS("Top=110")));
  EXPECT_TRUE(form.GetModified());
}

TEST_F(DesignerInspector, RollsUpAndShowsLocalizedNamesOnlyWhenAsked) {
  const auto restore = qScopeGuard([] {
    rpGetLocale().OnLocalize = {};
    rpGetLocale().LocalizedPropNames = false;
  });
  rpGetLocale().OnLocalize = [](int id) {
    return id == 58001 ? INS("Left=Vľavo") : id == 58002 ? INS("Top=") : QString();
  };
  QWidget owner;
  TrpInspForm inspector(&owner);
  inspector.resize(200, 320);
  inspector.show();
  EXPECT_EQ(inspector.DisplayName(INS("Left")), INS("Left")) << "names as they are by default";
  rpGetLocale().LocalizedPropNames = true;
  EXPECT_EQ(inspector.DisplayName(INS("Left")), INS("Vľavo"));
  EXPECT_EQ(inspector.DisplayName(INS("Top")), INS("Top")) << "an empty text names nothing";

  int heightChanges = 0;
  inspector.OnHeightChanged = [&](TrpInspForm*) { ++heightChanges; };
  inspector.RollUp();
  EXPECT_TRUE(inspector.RolledUp());
  EXPECT_FALSE(inspector.CB1->isVisible());
  inspector.ShowInspector();
  EXPECT_FALSE(inspector.RolledUp());
  EXPECT_EQ(inspector.height(), 320);
  EXPECT_TRUE(inspector.CB1->isVisible());
  EXPECT_EQ(heightChanges, 2);
}

} // namespace
#undef INS
