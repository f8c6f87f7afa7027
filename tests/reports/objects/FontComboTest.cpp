#include "platform/base/Registry.h"
#include "reports/engine/ui/rpComboBox.h"
#include "tests/support/QStringPrinter.h"
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <gtest/gtest.h>

namespace {

// Chooses an entry as a user does: the list opened with F4, the entry reached
// with Home and Down, taken with Enter.
void ChooseByKeys(TrpFontComboBox& box, int index) {
  box.setFocus();
  QTest::keyClick(&box, Qt::Key_F4);
  QAbstractItemView* list = box.view();
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < index; ++i)
    QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
}

QStringList RegistryNames(const QString& key) {
  QStringList names;
  for (int i = 0; i < TrpFontComboBox::kMaxRecent; ++i) {
    const std::optional<TRegValue> value = TRegistry::Root().ReadValue(key, QStringLiteral("Font%1").arg(i));
    names.append(value ? value->Text : QStringLiteral("<none>"));
  }
  return names;
}

class FontCombo : public ::testing::Test {
protected:
  // A key of its own for each test.
  QString key = QStringLiteral("\\Software\\ZiviVudire\\MRUFont-") +
                QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(FontCombo, ASixthFontGoesOnTopAndTheOldestDrops) {
  TrpFontComboBox box;
  box.SetMRURegKey(key);
  box.show();
  box.FillFontList();
  ASSERT_GE(box.count(), 7) << "the machine lists too few fonts (fonts-liberation and fonts-dejavu-core give 7)";
  EXPECT_EQ(box.RecentCount(), 0);
  QStringList chosen;
  QSignalSpy clicks(&box, &TrpFontComboBox::Click);
  for (int n = 0; n < 6; ++n) {
    // Always the entry just below the remembered ones: a font not chosen yet.
    const int index = box.RecentCount() + 1 + n;
    chosen.prepend(box.itemText(index));
    ChooseByKeys(box, index);
    EXPECT_EQ(box.currentText(), chosen.first());
    EXPECT_EQ(box.itemText(0), chosen.first());
  }
  EXPECT_EQ(clicks.count(), 6);
  EXPECT_EQ(box.RecentCount(), 5);
  const QStringList newest = chosen.mid(0, 5);
  EXPECT_EQ(RegistryNames(key), newest);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(box.itemText(i), newest[i]);
  EXPECT_GE(box.findText(chosen.last()), 5); // the oldest is only a plain entry again

  // A remembered font chosen again moves to the top; the top one chosen changes nothing.
  ChooseByKeys(box, 3);
  const QStringList moved{newest[3], newest[0], newest[1], newest[2], newest[4]};
  EXPECT_EQ(RegistryNames(key), moved);
  ChooseByKeys(box, 0);
  EXPECT_EQ(RegistryNames(key), moved);

  // A new box finds them again, in order, above the line.
  TrpFontComboBox again;
  again.SetMRURegKey(key);
  again.FillFontList();
  EXPECT_EQ(again.RecentCount(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(again.itemText(i), moved[i]);
}

TEST_F(FontCombo, AFontNoLongerInstalledIsClearedFromTheRegistry) {
  TRegistry& registry = TRegistry::Root();
  registry.WriteValue(key, QStringLiteral("Font0"), TRegValue::String(QStringLiteral("Liberation Sans")), true);
  registry.WriteValue(key, QStringLiteral("FontType0"), TRegValue::FromDword(4), true);
  registry.WriteValue(key, QStringLiteral("Font1"), TRegValue::String(QStringLiteral("Písmo, ktoré nie je")), true);
  registry.WriteValue(key, QStringLiteral("FontType1"), TRegValue::FromDword(4), true);
  TrpFontComboBox box;
  box.SetMRURegKey(key);
  box.FillFontList();
  EXPECT_EQ(box.RecentCount(), 1);
  EXPECT_EQ(box.itemText(0), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(box.findText(QStringLiteral("Písmo, ktoré nie je")), -1);
  EXPECT_EQ(RegistryNames(key),
            (QStringList{QStringLiteral("Liberation Sans"), QString(), QString(), QString(), QString()}));
  EXPECT_EQ(registry.ReadValue(key, QStringLiteral("FontType1"))->Dword, 0u);
}

TEST_F(FontCombo, WithoutRecentFontsTheRegistryIsNeitherReadNorWritten) {
  TRegistry& registry = TRegistry::Root();
  registry.WriteValue(key, QStringLiteral("Font0"), TRegValue::String(QStringLiteral("Liberation Serif")), true);
  TrpFontComboBox box;
  box.SetShowMRU(false);
  box.SetMRURegKey(key);
  box.show();
  box.FillFontList();
  EXPECT_EQ(box.RecentCount(), 0);
  ChooseByKeys(box, 2);
  EXPECT_EQ(box.RecentCount(), 0);
  EXPECT_EQ(RegistryNames(key),
            (QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("<none>"), QStringLiteral("<none>"),
                         QStringLiteral("<none>"), QStringLiteral("<none>")}));
}

TEST_F(FontCombo, TheListIsFilledAgainWhenFontsChange) {
  TrpFontComboBox box;
  box.SetMRURegKey(key);
  box.FillFontList();
  ChooseByKeys(box, 2);
  const QString remembered = box.itemText(0);
  const int families = box.count();
  box.clear();
  emit qGuiApp->fontDatabaseChanged();
  EXPECT_EQ(box.count(), families);
  EXPECT_EQ(box.RecentCount(), 1);
  EXPECT_EQ(box.itemText(0), remembered);
}

TEST(FlatCombo, AnEmptyListOpensOneItemHigh) {
  TrpComboBox box;
  EXPECT_EQ(box.ListHeight(), box.ItemHeight() + 4);
  for (int i = 0; i < 20; ++i)
    box.addItem(QString::number(i));
  box.SetDropDownCount(8);
  EXPECT_EQ(box.ListHeight(), 8 * box.ItemHeight() + 4);
  box.SetDropDownCount(0);
  EXPECT_EQ(box.ListHeight(), box.ItemHeight() + 4);
  box.SetReadOnly(true);
  EXPECT_TRUE(box.lineEdit()->isReadOnly());
}

} // namespace
