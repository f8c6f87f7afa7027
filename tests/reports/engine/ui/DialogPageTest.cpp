#include "core/gui/ColorConvert.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpBandView.h"
#include "reports/engine/rpEMFPages.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpMemoView.h"
#include "reports/engine/rpReport.h"
#include "reports/engine/rpStream.h"
#include "reports/engine/ui/rpDialogPageForm.h"
#include "reports/engine/ui/rpEngineUi.h"
#include "reports/engine/ui/rpProgressForm.h"
#include "reports/engine/ui/rpWindowControl.h"
#include <QtCore/QDir>
#include <QtCore/QTimer>
#include <QtGui/QPainter>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <functional>
#include <gtest/gtest.h>

namespace {

#define F(...) QStringLiteral(__VA_ARGS__)

// A one-line edit as the dialog controls will be: its text is a property and part of its record.
class TestEdit : public TrpWindowControl {
public:
  TestEdit() : TrpWindowControl(new QLineEdit) { SetKind(10, F("Edit"), F("TrpTestEdit")); }
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(Control()); }
  void SaveToStream(TBinaryWriter& stream) override {
    TrpWindowControl::SaveToStream(stream);
    rpWriteString(stream, Edit()->text());
  }
  void LoadFromStream(TBinaryReader& stream) override {
    TrpWindowControl::LoadFromStream(stream);
    Edit()->setText(rpReadReportString(stream));
  }
  void ListProperties() override {
    TrpWindowControl::ListProperties();
    AddPropertyRec(F("Text"), ptText);
  }
  QVariant ReadProperty(const QString& name) override {
    const QVariant result = TrpWindowControl::ReadProperty(name);
    return result.isValid() || name != QLatin1String("TEXT") ? result : QVariant(Edit()->text());
  }
};

// A push button whose click gives its modal result to the window it is on.
class TestButton : public TrpWindowControl {
public:
  TestButton() : TrpWindowControl(new QPushButton) {
    SetKind(10, F("Button"), F("TrpTestButton"));
    QObject::connect(Button(), &QPushButton::clicked, [this] {
      if (auto* form = qobject_cast<TForm*>(Button()->window())) form->SetModalResult(ModalResult);
    });
  }
  QPushButton* Button() const { return static_cast<QPushButton*>(Control()); }
  void SaveToStream(TBinaryWriter& stream) override {
    TrpWindowControl::SaveToStream(stream);
    rpWriteString(stream, Button()->text());
    rpWriteInteger(stream, ModalResult);
  }
  void LoadFromStream(TBinaryReader& stream) override {
    TrpWindowControl::LoadFromStream(stream);
    Button()->setText(rpReadReportString(stream));
    ModalResult = rpReadInteger(stream);
  }
  qint32 ModalResult = 0;
};

// A running engine with its windows, and a report whose dialog page (a town
// edit, OK and cancel buttons) comes before a report page that prints the town.
class DialogPage : public ::testing::Test {
protected:
  DialogPage() {
    rpEngineStart();
    rpInstallEngineUi();
    rpGlobals().ErrorBox = [this](const QString& text, const QString&) { errors.append(text); };
    rpAddControlClass(
        F("TrpTestEdit"), [] { return new TestEdit; }, {}, F("55226"));
    rpAddControlClass(
        F("TrpTestButton"), [] { return new TestButton; }, {}, F("55226"));
    report = std::make_unique<TrpReport>(&owner);
    TrpPage* page = report->Pages.GetPage(0);
    auto band = std::make_unique<TrpBandView>();
    band->SetBandType(btReportTitle);
    band->SetBounds(0, 20, 700, 30);
    band->Name = F("Title");
    page->Add(std::move(band));
    auto text = std::make_unique<TrpMemoView>();
    text->SetBounds(10, 25, 300, 20);
    text->Memo = QStringList{F("Obec [Edit1.Text]")};
    text->Name = F("Text1");
    text->Flags &= quint16(~mfStretched);
    page->Add(std::move(text));

    TrpPage* dialog = report->Pages.Add();
    dialog->PageType = 1;
    dialog->Caption = F("Výber obce");
    dialog->Position = 0;
    dialog->DialogLeft = 30;
    dialog->DialogTop = 40;
    dialog->DialogWidth = 260;
    dialog->DialogHeight = 110;
    dialog->Color = 0x00E0F0FF; // $00BBGGRR: a light cream
    auto edit = std::make_unique<TestEdit>();
    edit->SetBounds(16, 16, 200, 22);
    edit->Edit()->setText(F("Senec"));
    edit->WriteProperty(F("Name"), F("Edit1"));
    dialog->Add(std::move(edit));
    for (const auto& [name, caption, result, left] :
         {std::tuple{"OK", "OK", 1, 56}, std::tuple{"Cancel", "Zrušiť", 2, 144}}) {
      auto button = std::make_unique<TestButton>();
      button->SetBounds(left, 64, 80, 26);
      button->Button()->setText(QString::fromUtf8(caption));
      button->ModalResult = result;
      button->WriteProperty(F("Name"), QString::fromLatin1(name));
      dialog->Add(std::move(button));
    }
  }
  ~DialogPage() override {
    report.reset();
    rpRemoveObjectClass(F("TrpTestEdit"));
    rpRemoveObjectClass(F("TrpTestButton"));
    rpEngineEnd();
  }

  TrpPage* Dialog() const { return report->Pages.GetPage(1); } // the build reloads the template
  template <class T> T* Control(const char* name) const {
    return dynamic_cast<T*>(Dialog()->FindObject(QString::fromLatin1(name)));
  }
  // The texts of the prepared pages, one list per page.
  QList<QStringList> Prepared() const {
    QList<QStringList> pages;
    for (int i = 0; i < report->EMFPages.Count(); ++i) {
      const TrpPage& page = report->EMFPages.LoadPageObjects(i);
      QStringList texts;
      for (int k = 0; k < page.Count(); ++k)
        texts.append(page.GetObject(k)->Memo.join(QLatin1Char('|')));
      pages.append(texts);
    }
    return pages;
  }
  // Builds the report; `act` runs on the dialog page's window once it is the active modal window.
  bool BuildAnswering(const std::function<void(TrpDialogPageForm*)>& act) {
    QTimer poll; // destroyed with the build, so a window that never came leaves no act behind
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* form = qobject_cast<TrpDialogPageForm*>(QApplication::activeModalWidget());
      if (!form) return;
      poll.stop();
      ++shown;
      act(form);
    });
    poll.start();
    return report->BuildPreparedPages();
  }

  QObject owner;
  std::unique_ptr<TrpReport> report;
  QStringList errors;
  int shown = 0;
};

// The window shows the page as designed, holds its controls, and what the user
// does there decides the build: OK continues with the typed town, a cancel
// (button or Esc) or the script's MODALRESULT 2 stops it with no pages.
TEST_F(DialogPage, WindowAnswersTheBuild) {
  const struct {
    const char* name;
    bool progress;      // the build runs inside the progress window
    QStringList script; // OnActivate
    bool visible;
    const char* pressed; // the button clicked, "Esc", or null for no window expected
    QList<QStringList> pages;
  } cases[] = {
      {"typed and confirmed", true, {}, true, "OK", {{F("Obec Nitra")}}},
      {"cancelled", true, {}, true, "Cancel", {}},
      {"closed with Esc", false, {}, true, "Esc", {}},
      {"script cancels before showing", false, {F("begin MODALRESULT := 2; end")}, true, nullptr, {}},
      {"invisible page is not shown", false, {}, false, nullptr, {{F("Obec Senec")}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shown = 0;
    report->ShowProgress = c.progress;
    Dialog()->Script = c.script;
    Dialog()->Visible = c.visible;
    auto* edit = Control<TestEdit>("Edit1");
    ASSERT_NE(edit, nullptr);
    const bool built = BuildAnswering([&](TrpDialogPageForm* form) {
      EXPECT_EQ(form->Caption(), F("Výber obce"));
      EXPECT_EQ(form->pos(), QPoint(30, 40));
      EXPECT_EQ(form->size(), QSize(260, 110));
      EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "a dialog frame keeps its size";
      EXPECT_EQ(edit->Control()->parentWidget(), form);
      EXPECT_EQ(edit->Control()->geometry(), QRect(16, 16, 200, 22));
      EXPECT_TRUE(edit->Control()->isVisible());
      int progressWindows = 0;
      for (QWidget* window : QApplication::topLevelWidgets())
        if (qobject_cast<TrpProgressForm*>(window)) {
          ++progressWindows;
          EXPECT_FALSE(window->isVisible()) << "the progress window steps aside";
        }
      EXPECT_EQ(progressWindows, c.progress ? 1 : 0);
      const QImage look = form->grab().toImage();
      EXPECT_EQ(look.pixelColor(4, 4), ToQColor(TColor(0x00E0F0FF))) << "the page's colour";
      if (const QByteArray dir = qgetenv("VIMEK_SCREENS_DIR"); !dir.isEmpty())
        look.save(QDir(QString::fromLocal8Bit(dir)).filePath(F("dialogpage.png")));
      edit->Edit()->clear();
      QTest::keyClicks(edit->Edit(), F("Nitra"));
      if (QByteArray(c.pressed) == "Esc")
        QTest::keyClick(form, Qt::Key_Escape);
      else
        QTest::mouseClick(Control<TestButton>(c.pressed)->Button(), Qt::LeftButton);
    });
    EXPECT_EQ(built, !c.pages.isEmpty());
    EXPECT_EQ(shown, c.pressed ? 1 : 0);
    EXPECT_EQ(Prepared(), c.pages);
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    // The template is back as it was, its controls on the hidden host form again.
    EXPECT_EQ(Control<TestEdit>("Edit1")->Edit()->text(), F("Senec"));
    EXPECT_EQ(Control<TestEdit>("Edit1")->Control()->window(), rpDialogForm());
  }
}

// A sizeable page in the screen centre keeps its size but not its Left and Top.
TEST_F(DialogPage, SizeableCentredWindow) {
  Dialog()->BorderStyle = 2;
  Dialog()->Position = 4;
  TrpDialogPageForm form(*Dialog());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(form.size(), QSize(260, 110));
  EXPECT_EQ(form.pos(), screen.center() - QPoint(130, 55));
  EXPECT_NE(form.minimumSize(), form.maximumSize()) << "sizeable";
}

// A new control's free name skips the names of the host form's components,
// whoever put them there, without regard to case.
TEST_F(DialogPage, FreeNameAvoidsHostFormComponents) {
  auto* stranger = new QLineEdit(rpDialogForm());
  stranger->setObjectName(F("EDIT2"));
  auto* added = static_cast<TestEdit*>(Dialog()->Add(std::make_unique<TestEdit>()));
  added->AssignFreeName();
  EXPECT_EQ(added->Name, F("Edit3")) << "Edit1 is on the page, Edit2 on the host form";
  EXPECT_EQ(added->Control()->objectName(), F("Edit3"));
  EXPECT_TRUE(rpDialogFormHasComponent(F("edit3")));
  delete stranger;
  auto* next = static_cast<TestEdit*>(Dialog()->Add(std::make_unique<TestEdit>()));
  next->AssignFreeName();
  EXPECT_EQ(next->Name, F("Edit2"));
}

// In the designer a widget control draws the widget's own picture at its
// place, and nothing outside it.
TEST_F(DialogPage, ControlDrawsItsWidget) {
  auto* ok = Control<TestButton>("OK");
  QImage sheet(300, 120, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  {
    QPainter painter(&sheet);
    ok->Draw(rpRun(), &painter);
  }
  QImage alone(81, 27, QImage::Format_RGB32);
  alone.fill(Qt::white);
  ok->Button()->render(&alone);
  ASSERT_NE(alone.pixel(0, 13), qRgb(255, 255, 255)) << "the button's edge shows";
  const QRect at(ok->Left, ok->Top, 81, 27);
  int differing = 0;
  for (int y = 0; y < sheet.height(); ++y)
    for (int x = 0; x < sheet.width(); ++x) {
      if (!at.contains(x, y)) {
        ASSERT_EQ(sheet.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
      } else if (x - at.left() < 80 && y - at.top() < 26) {
        differing += sheet.pixel(x, y) != alone.pixel(x - at.left(), y - at.top());
      }
    }
  EXPECT_EQ(differing, 0) << "the button's own picture";
  EXPECT_EQ(ok->Button()->window(), rpDialogForm()) << "drawn without leaving the host form";
}

} // namespace
