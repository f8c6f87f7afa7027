#include "controls/UxPlacemnt.h"
#include "KitTestSupport.h"
#include "core/ui/Form.h"
#include "platform/base/Registry.h"
#include <QtCore/QTemporaryDir>
#include <QtGui/QScreen>
#include <QtWidgets/QListView>

// A form class of its own, so that its section has a name of its own.
class TfrmPlacementTest : public TForm {
  Q_OBJECT
public:
  TfrmPlacementTest() {
    fp = new TUxFormPlacement(this);
    fp->SetOptions(fpPosition);
    setGeometry(40, 50, 300, 200);
  }
  TUxFormPlacement* fp;
};

namespace {

class PlacementTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(config.isValid());
    previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", previous); }

  static QString Key() { return DefaultStoreKey() + QStringLiteral("\\TfrmPlacementTest"); }
  static std::optional<QString> Stored(const QString& name) {
    const auto value = TRegistry::Root().ReadValue(Key(), name);
    if (!value) return std::nullopt;
    EXPECT_EQ(value->Type, TRegValueType::String) << name.toStdString();
    return value->Text;
  }
  static void Store(const QString& name, const QString& text) {
    ASSERT_TRUE(TRegistry::Root().WriteValue(Key(), name, TRegValue::String(text), true));
  }
  static QString Suffix() {
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
  }
  // Shows a new form (its placement restores), runs `change`, closes it.
  static QRect ShowAndClose(const std::function<void(TfrmPlacementTest&)>& change = {}) {
    TfrmPlacementTest form;
    form.show();
    const QRect shown = form.geometry();
    if (change) change(form);
    form.hide();
    return shown;
  }

  QTemporaryDir config;
  QByteArray previous;
};

TEST_F(PlacementTest, PerFormValuesRoundTrip) {
  TfrmPlacementTest form;
  EXPECT_EQ(form.fp->ReadString(QStringLiteral("vypracoval"), QStringLiteral("nikto")), QStringLiteral("nikto"));
  EXPECT_EQ(form.fp->ReadInteger(QStringLiteral("vimekov_triedit"), 2), 2);
  form.fp->WriteString(QStringLiteral("vypracoval"), QStringLiteral("Ján Ďurček"));
  form.fp->WriteInteger(QStringLiteral("pc1.ActivePageIndex"), -3);
  form.fp->WriteString(QStringLiteral("nase_reviry"), QStringLiteral("x1"));

  TfrmPlacementTest again;
  EXPECT_EQ(again.fp->ReadString(QStringLiteral("vypracoval")), QStringLiteral("Ján Ďurček"));
  EXPECT_EQ(again.fp->ReadInteger(QStringLiteral("pc1.ActivePageIndex"), 0), -3);
  EXPECT_EQ(again.fp->ReadInteger(QStringLiteral("nase_reviry"), 1), 1); // not a number: the default
  EXPECT_EQ(Stored(QStringLiteral("pc1.ActivePageIndex")), QStringLiteral("-3"));
}

TEST_F(PlacementTest, SectionsOfFormsControlsAndComponents) {
  TfrmPlacementTest form;
  auto* grid = new QListView(&form);
  grid->setObjectName(QStringLiteral("gr1"));
  TUxFormPlacement gridStore(grid);
  auto* component = new QObject(&form);
  component->setObjectName(QStringLiteral("ds1"));
  TUxFormPlacement componentStore(component);
  EXPECT_EQ(form.fp->Section(), QStringLiteral("TfrmPlacementTest"));
  EXPECT_EQ(gridStore.Section(), QStringLiteral("TfrmPlacementTestgr1"));
  EXPECT_EQ(DefaultStoreSection(component), QStringLiteral("TfrmPlacementTest.ds1"));
  gridStore.WriteString(QStringLiteral("Order"), QStringLiteral("2;1;3"));
  EXPECT_EQ(TRegistry::Root()
                .ReadValue(DefaultStoreKey() + QStringLiteral("\\TfrmPlacementTestgr1"), QStringLiteral("Order"))
                ->Text,
            QStringLiteral("2;1;3"));
  EXPECT_TRUE(DefaultStoreKey().startsWith(QStringLiteral("Software\\")));
}

TEST_F(PlacementTest, ClosingWritesThePlacementAndShowingRestoresIt) {
  const QRect designed = ShowAndClose([](TfrmPlacementTest& form) { form.move(123, 77); });
  EXPECT_EQ(designed, QRect(40, 50, 300, 200));
  EXPECT_EQ(Stored(QStringLiteral("FormVersion")), QStringLiteral("0"));
  EXPECT_EQ(Stored(QStringLiteral("ShowCmd")), QStringLiteral("1"));
  EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("0"));
  EXPECT_TRUE(Stored(QStringLiteral("Flags")).has_value());
  EXPECT_TRUE(Stored(QStringLiteral("PixelsPerInch")).has_value());
  EXPECT_TRUE(Stored(QStringLiteral("MinMaxPos") + Suffix()).has_value());
  const std::optional<QString> norm = Stored(QStringLiteral("NormPos"));
  ASSERT_TRUE(norm.has_value());
  EXPECT_TRUE(norm->startsWith(QStringLiteral("123,77,")));
  EXPECT_EQ(Stored(QStringLiteral("NormPos") + Suffix()), norm);
  TfrmPlacementTest restored;
  restored.show();
  EXPECT_EQ(restored.frameGeometry().topLeft(), QPoint(123, 77));
  EXPECT_EQ(restored.size(), QSize(300, 200));
}

TEST_F(PlacementTest, StoredPositionsThatDoNotApply) {
  // Each case stores values and names where the next showing puts the
  // form's frame; none: where its design puts the form.
  struct Case {
    std::vector<std::pair<QString, QString>> values;
    std::optional<QPoint> framedAt;
  };
  const QString norm = QStringLiteral("NormPos");
  const Case cases[] = {
      {{{norm, QStringLiteral("10,20,310,220")}}, QPoint(10, 20)},
      {{{norm, QStringLiteral("10 20 310 220")}}, QPoint(10, 20)},
      {{{norm, QStringLiteral("10,20,310,220")}, {QStringLiteral("PixelsPerInch"), QStringLiteral("1")}}, {}},
      {{{norm, QStringLiteral("10,20,10,220")}}, {}},
      {{{norm + Suffix(), QStringLiteral("5,6,305,206")}, {norm, QStringLiteral("10,20,310,220")}}, QPoint(5, 6)},
      {{{norm + QStringLiteral("(1x1)"), QStringLiteral("5,6,305,206")}, {norm, QStringLiteral("10,20,310,220")}},
       QPoint(10, 20)},
      {{{norm, QStringLiteral("10,20,310,220")}, {QStringLiteral("FormVersion"), QStringLiteral("-1")}}, {}},
  };
  for (const Case& c : cases) {
    TRegistry::Root().DeleteKey(Key());
    for (const auto& [name, text] : c.values)
      Store(name, text);
    TfrmPlacementTest form;
    form.fp->SetVersion(0);
    form.show();
    if (c.framedAt)
      EXPECT_EQ(form.frameGeometry().topLeft(), *c.framedAt) << c.values.front().second.toStdString();
    else
      EXPECT_EQ(form.geometry().topLeft(), QPoint(40, 50)) << c.values.front().second.toStdString();
  }
}

TEST_F(PlacementTest, WindowStateRoundTripsWithFpState) {
  ShowAndClose([](TfrmPlacementTest& form) {
    form.fp->SetOptions(fpState | fpPosition);
    form.showMaximized();
  });
  EXPECT_EQ(Stored(QStringLiteral("ShowCmd")), QStringLiteral("3"));
  TfrmPlacementTest form;
  form.fp->SetOptions(fpState | fpPosition);
  form.show();
  EXPECT_TRUE(form.isMaximized());
  // The stored rectangle is the normal one, not the maximized window's.
  TfrmPlacementTest positionOnly;
  positionOnly.show();
  EXPECT_FALSE(positionOnly.isMaximized());
  EXPECT_EQ(positionOnly.geometry(), QRect(40, 50, 300, 200));
}

TEST_F(PlacementTest, FormDestroyedWhileShownIsMarkedVisible) {
  {
    TfrmPlacementTest form;
    form.show();
  }
  EXPECT_EQ(Stored(QStringLiteral("Visible")), QStringLiteral("1"));
}

TEST_F(PlacementTest, WritesNothingUnlessShownAndOnlyTheVersionWithoutOptions) {
  { TfrmPlacementTest neverShown; }
  EXPECT_FALSE(TRegistry::Root().KeyExists(Key()) && Stored(QStringLiteral("FormVersion")).has_value());
  ShowAndClose([](TfrmPlacementTest& form) {
    form.fp->SetOptions({});
    form.fp->SetVersion(1);
  });
  EXPECT_EQ(Stored(QStringLiteral("FormVersion")), QStringLiteral("1"));
  EXPECT_EQ(TRegistry::Root().ValueNames(Key()), QStringList{QStringLiteral("FormVersion")});
}

} // namespace

#include "UxPlacemntTest.moc"
