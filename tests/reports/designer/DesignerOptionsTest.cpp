#include "DesignerFixture.h"
#include "platform/base/Registry.h"
#include "reports/designer/rpDesOptionsForm.h"
#include "reports/designer/rpDesignerForm.h"
#include "reports/designer/rpDesignerPage.h"
#include "reports/designer/rpDesignerSettings.h"
#include "reports/designer/rpDocOptForm.h"
#include "reports/designer/rpEditorForm.h"
#include "reports/designer/rpEditorForm1.h"
#include "reports/designer/rpPgoptForm.h"
#include "reports/engine/rpBand.h"
#include "reports/engine/rpPage.h"
#include "reports/engine/rpPrinter.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/ui/rpComboBox.h"
#include "reports/engine/ui/rpDock.h"
#include "reports/engine/ui/rpPasswForm.h"
#include "reports/engine/ui/rpSpeedButton.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QStringPrinter.h"
#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtTest/QTest>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTabWidget>
#include <QtWidgets/QToolButton>

namespace {

#define OPT(text) QStringLiteral(text)

// Key presses that carry the characters as text (Slovak letters too).
void TypeInto(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

// Replaces a field's text by typing, as the user does.
void Retype(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  TypeInto(edit, text);
}

class DesignerOptions : public DesignerFixture {
protected:
  DesignerOptions() {
    TRegistry::Root().DeleteKey(rpRegistryRoot());
    page = report->Pages.GetPage(0);
    page->ApplyPaper(9, 0, 0, -1, 0);
    page->LeftMargin = page->TopMargin = page->RightMargin = page->BottomMargin = 36;
    page->ColumnCount = 1;
    AddBand(page, btMasterData, OPT("MasterData1"), 100, 20);
    AddText(page, OPT("Meno"), {20, 102, 100, 16}, OPT("[Meno]"));
  }
  ~DesignerOptions() override { TRegistry::Root().DeleteKey(rpRegistryRoot()); }

  std::unique_ptr<TrpDesignerForm> Open() {
    auto form = std::make_unique<TrpDesignerForm>(*report, true);
    form->show();
    return form;
  }
  QList<int> Margins() const {
    return {page->LeftMargin, page->TopMargin, page->RightMargin, page->BottomMargin, page->ColumnGap};
  }

  TrpPage* page = nullptr;
};

TEST_F(DesignerOptions, FifteenMillimetreMarginsTypedInThePageOptionsAreStoredAs54Pixels) {
  auto form = Open();
  WhenModal<TrpPgoptForm>([](TrpPgoptForm* dialog) {
    EXPECT_EQ(dialog->LeftE->text(), OPT("10"));
    EXPECT_EQ(dialog->PaperCB->currentText(), rpPrinter().PaperNames.value(rpPrinter().PaperSizeToIndex(9)));
    EXPECT_TRUE(dialog->PortraitRB->isChecked());
    EXPECT_FALSE(dialog->WidthE->isEnabled()) << "a listed paper has its own size";
    for (QLineEdit* margin : {dialog->LeftE, dialog->TopE, dialog->RightE, dialog->BottomE})
      Retype(margin, OPT("15"));
    Retype(dialog->GapE, OPT("12,5"));
    Retype(dialog->ColumnsE, OPT("2"));
    dialog->LandscapeRB->click();
    dialog->PrintToPrevCB->click();
    QTest::keyClick(dialog->GapE, Qt::Key_Return);
  });
  form->MenuItem(OPT("N25"))->trigger();
  EXPECT_EQ(Margins(), (QList<int>{54, 54, 54, 54, 45}));
  EXPECT_EQ(page->ColumnCount, 2);
  EXPECT_EQ(page->Orientation, 1);
  EXPECT_TRUE(page->PrintToPrevPage);
  EXPECT_TRUE(page->UseMargins);
  EXPECT_TRUE(form->GetModified());
  EXPECT_GT(page->PrnInfo.Width, page->PrnInfo.Height) << "the landscape paper through the printer";

  form->SetModified(false);
  WhenModal<TrpPgoptForm>([](TrpPgoptForm* dialog) {
    EXPECT_EQ(dialog->LeftE->text(), OPT("15"));
    EXPECT_EQ(dialog->GapE->text(), OPT("12,5"));
    Retype(dialog->LeftE, OPT("30"));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  form->MenuItem(OPT("N25"))->trigger();
  EXPECT_EQ(page->LeftMargin, 54) << "Cancel changes nothing";
  EXPECT_FALSE(form->GetModified());
}

TEST_F(DesignerOptions, AnUnreadableFieldIsNamedAndNothingIsStoredUntilEveryFieldReads) {
  auto form = Open();
  const QList<int> before = Margins();
  WhenModal<TrpPgoptForm>([this](TrpPgoptForm* dialog) {
    Retype(dialog->TopE, OPT("20"));
    Retype(dialog->GapE, OPT("5"));
    dialog->StretchCB->click();
    dialog->LandscapeRB->click();
    Retype(dialog->ColumnsE, OPT("1,5"));
    Retype(dialog->RightE, OPT(""));
    dialog->PaperCB->setCurrentIndex(dialog->PaperCB->count() - 1);
    EXPECT_TRUE(dialog->WidthE->isEnabled()) << "the custom size is typed";
    Retype(dialog->WidthE, OPT("široký"));
    Retype(dialog->HeightE, OPT("100"));
    dialog->PageControl->setCurrentIndex(0);
    QTest::keyClick(dialog->HeightE, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open on the field";
    EXPECT_EQ(errors, QStringList{OPT("Chyba: Šírka, mm: 'široký' nie je platné číslo.")});
    EXPECT_EQ(dialog->focusWidget(), dialog->WidthE);
    EXPECT_EQ(page->PaperSize, 9);
    EXPECT_EQ(page->Orientation, 0);
    EXPECT_TRUE(page->UseMargins);

    Retype(dialog->WidthE, OPT("200"));
    QTest::keyClick(dialog->WidthE, Qt::Key_Return);
    EXPECT_EQ(errors.value(1), OPT("Chyba: Pravý,v mm: '' nie je platné číslo."));
    EXPECT_EQ(dialog->PageControl->currentIndex(), 1) << "the margins' tab shows the field";
    EXPECT_EQ(dialog->focusWidget(), dialog->RightE);

    Retype(dialog->RightE, OPT("10"));
    QTest::keyClick(dialog->RightE, Qt::Key_Return);
    EXPECT_EQ(errors.value(2), OPT("Chyba: Stĺpce: '1,5' nie je platné celé číslo."));
    EXPECT_EQ(dialog->focusWidget(), dialog->ColumnsE);
    EXPECT_EQ(page->TopMargin, 36) << "nothing stored while a field is unreadable";
    EXPECT_EQ(page->ColumnGap, 0);
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  form->MenuItem(OPT("N25"))->trigger();
  EXPECT_EQ(Margins(), before);
  EXPECT_EQ(page->PaperSize, 9);
  EXPECT_EQ(page->Orientation, 0);
  EXPECT_TRUE(page->UseMargins);
  EXPECT_FALSE(form->GetModified());
}

TEST_F(DesignerOptions, TheColumnArrowsStepTheCountAndStopAtZero) {
  TrpPgoptForm dialog;
  TrpPageOptionsFields fields;
  fields.Columns = OPT("0");
  dialog.SetFields(fields);
  dialog.ColumnsDownB->click();
  EXPECT_EQ(dialog.ColumnsE->text(), OPT("0"));
  for (int i = 0; i < 3; ++i)
    dialog.ColumnsUpB->click();
  dialog.ColumnsDownB->click();
  EXPECT_EQ(dialog.ColumnsE->text(), OPT("2"));
}

TEST_F(DesignerOptions, AddPageKeepsTheNewPageWithTheOptionsConfirmedAndDropsItOnCancel) {
  auto form = Open();
  WhenModal<TrpPgoptForm>([](TrpPgoptForm* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
  form->MenuItem(OPT("N29"))->trigger();
  EXPECT_EQ(report->Pages.Count(), 1);

  WhenModal<TrpPgoptForm>([](TrpPgoptForm* dialog) {
    Retype(dialog->LeftE, OPT("15"));
    QTest::keyClick(dialog->LeftE, Qt::Key_Return);
  });
  form->MenuItem(OPT("N29"))->trigger();
  ASSERT_EQ(report->Pages.Count(), 2);
  EXPECT_EQ(form->CurrentPageIndex(), 1);
  EXPECT_EQ(report->Pages.GetPage(1)->LeftMargin, 54);
  EXPECT_EQ(page->LeftMargin, 36) << "the first page keeps its own";
}

TEST_F(DesignerOptions, ADoubleClickOnAnEmptyPlaceOfThePageOpensThePageOptions) {
  auto form = Open();
  bool shown = false;
  WhenModal<TrpPgoptForm>([&](TrpPgoptForm* dialog) {
    shown = true;
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  QTest::mouseClick(form->Workspace(), Qt::LeftButton, {}, QPoint(400, 400));
  QTest::mouseDClick(form->Workspace(), Qt::LeftButton, {}, QPoint(400, 400));
  EXPECT_TRUE(shown);
}

// What the report options leave of the password for each way of answering
// the two prompts.
TEST_F(DesignerOptions, ThePasswordIsKeptOnlyWhenBothPromptsAgree) {
  enum Answer { Type, Cancel };
  const struct {
    bool protectedBefore;
    bool checked;
    Answer first, second;
    const char *typedFirst, *typedSecond;
    bool protectedAfter;
    const char* password;
  } cases[] = {
      {false, true, Type, Type, "tajne", "tajne", true, "tajne"},
      {false, true, Type, Type, "tajne", "tajné", false, ""},
      {false, true, Type, Cancel, "tajne", "", false, ""},
      {false, true, Cancel, Cancel, "", "", false, ""},
      {true, true, Cancel, Cancel, "", "", true, "stare"}, // kept protection asks nothing
      {true, false, Cancel, Cancel, "", "", false, ""},    // unchecking removes the password
  };
  auto form = Open();
  for (const auto& c : cases) {
    report->Info.AskPassword = c.protectedBefore;
    report->Info.Password = c.protectedBefore ? OPT("stare") : QString();
    QStringList prompts;
    WhenModal<TrpDocOptForm>([&](TrpDocOptForm* dialog) {
      EXPECT_EQ(dialog->PasswordCB->isChecked(), c.protectedBefore);
      if (dialog->PasswordCB->isChecked() != c.checked) dialog->PasswordCB->click();
      const bool asks = c.checked && !c.protectedBefore;
      if (asks) {
        WhenModal<TrpPasswForm>([&](TrpPasswForm* first) {
          prompts << first->L1->text();
          if (c.first == Cancel) {
            first->Cancel->click();
            return;
          }
          WhenModal<TrpPasswForm>([&](TrpPasswForm* second) {
            prompts << second->L1->text();
            EXPECT_TRUE(second->E1->text().isEmpty());
            TypeInto(second->E1, QString::fromUtf8(c.typedSecond));
            (c.second == Type ? second->OK : second->Cancel)->click();
          });
          TypeInto(first->E1, QString::fromUtf8(c.typedFirst));
          first->OK->click();
        });
      }
      dialog->SetModalResult(mrOk);
    });
    form->MenuItem(OPT("N8"))->trigger();
    const QString row = QString::fromUtf8(c.typedFirst) + OPT("/") + QString::fromUtf8(c.typedSecond);
    EXPECT_EQ(report->Info.AskPassword, c.protectedAfter) << row.toStdString();
    EXPECT_EQ(report->Info.Password, QString::fromUtf8(c.password)) << row.toStdString();
    if (c.checked && !c.protectedBefore && c.first == Type)
      EXPECT_EQ(prompts, (QStringList{OPT("Enter password for opening report"), OPT("Retype password for validate")}));
  }
}

TEST_F(DesignerOptions, TheReportOptionsStoreTheInformationTwoPassesAndThePrinterFlag) {
  report->Info.Name = OPT("Zoznam");
  report->UseCurrentPrinter = true;
  auto form = Open();
  WhenModal<TrpDocOptForm>([](TrpDocOptForm* dialog) {
    EXPECT_EQ(dialog->NameE->text(), OPT("Zoznam"));
    EXPECT_FALSE(dialog->SelectPrinterCB->isChecked());
    EXPECT_EQ(dialog->PrinterCB->currentText(), rpPrinter().CurrentPrinterName());
    EXPECT_EQ(dialog->PrinterCB->itemText(dialog->PrinterCB->count() - 1), rpLoadStr(55007))
        << "the virtual printer last";
    dialog->SelectPrinterCB->click();
    dialog->TwoPassCB->click();
    Retype(dialog->NameE, OPT("Zoznam členov"));
    Retype(dialog->AuthorE, OPT("Tajomník"));
    Retype(dialog->MajorE, OPT("2"));
    Retype(dialog->BuildE, OPT("17"));
    TypeInto(dialog->CommentM, OPT("Členovia podľa mena"));
    dialog->SetModalResult(mrOk);
  });
  form->MenuItem(OPT("N8"))->trigger();
  EXPECT_FALSE(report->UseCurrentPrinter);
  EXPECT_TRUE(report->DoublePassReport);
  EXPECT_EQ(report->Info.Name, OPT("Zoznam členov"));
  EXPECT_EQ(report->Info.Author, OPT("Tajomník"));
  EXPECT_EQ(report->Info.VersionMajor, OPT("2"));
  EXPECT_EQ(report->Info.VersionBuild, OPT("17"));
  EXPECT_EQ(report->Info.Comment, OPT("Členovia podľa mena"));
  EXPECT_TRUE(form->GetModified());

  form->SetModified(false);
  WhenModal<TrpDocOptForm>([](TrpDocOptForm* dialog) {
    dialog->TwoPassCB->click();
    Retype(dialog->NameE, OPT("iné"));
    dialog->SetModalResult(mrCancel);
  });
  form->MenuItem(OPT("N8"))->trigger();
  EXPECT_TRUE(report->DoublePassReport);
  EXPECT_EQ(report->Info.Name, OPT("Zoznam členov"));
  EXPECT_FALSE(form->GetModified());
}

TEST_F(DesignerOptions, SyntaxHighlightOffGivesThePlainEditorNext) {
  auto form = Open();
  ASSERT_TRUE(dynamic_cast<TrpEditorForm*>(form->TextEditor()));
  WhenModal<TrpDesOptionsForm>([](TrpDesOptionsForm* dialog) {
    EXPECT_TRUE(dialog->SyntaxCB->isChecked());
    dialog->PageControl->setCurrentIndex(1);
    dialog->SyntaxCB->click();
    dialog->SetModalResult(mrOk);
  });
  form->MenuItem(OPT("N14"))->trigger();
  EXPECT_FALSE(form->Settings().SyntaxHighlight);
  bool plain = false;
  WhenModal<QWidget>([&](QWidget* editor) {
    plain = qobject_cast<TrpEditorForm1*>(editor) != nullptr;
    static_cast<TForm*>(editor)->SetModalResult(mrCancel);
  });
  form->SelectObjectByName(OPT("Meno"));
  QTest::keyClick(form->Workspace(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(plain) << "the next text edit uses the plain editor";
}

TEST_F(DesignerOptions, UseDefaultFontOffMakesTheTextEditorUseTheFixedFont) {
  auto form = Open();
  QString chosen;
  WhenModal<TrpDesOptionsForm>([&](TrpDesOptionsForm* dialog) {
    dialog->PageControl->setCurrentIndex(1);
    EXPECT_TRUE(dialog->ObjectFontRB->isChecked());
    EXPECT_FALSE(dialog->TextFontCB->isEnabled());
    dialog->FixedFontRB->click();
    EXPECT_TRUE(dialog->TextFontCB->isEnabled());
    dialog->TextFontCB->setCurrentIndex(dialog->TextFontCB->count() - 1);
    chosen = dialog->TextFontCB->currentText();
    dialog->TextSizeCB->setCurrentText(OPT("14"));
    EXPECT_EQ(dialog->TextSample->font().family(), chosen);
    dialog->SetModalResult(mrOk);
  });
  form->MenuItem(OPT("N14"))->trigger();
  const QString key = rpRegistryRoot() + OPT("\\Form\\TrpDesignerForm");
  EXPECT_EQ(rpRegistryReadText(key, OPT("UseDefaultFont"), {}), OPT("0"));
  EXPECT_EQ(rpRegistryReadText(key, OPT("TextFontName"), {}), chosen);
  EXPECT_EQ(rpRegistryReadText(key, OPT("TextFontSize"), {}), OPT("14"));
  EXPECT_EQ(rpRegistryReadText(key, OPT("ScriptFontName"), {}), OPT("Courier New")) << "the script font as it was";

  QFont shown;
  WhenModal<TrpEditorForm>([&](TrpEditorForm* editor) {
    shown = editor->TextMemo->font();
    editor->SetModalResult(mrCancel);
  });
  form->SelectObjectByName(OPT("Meno"));
  QTest::keyClick(form->Workspace(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(shown.family(), chosen);
  EXPECT_EQ(shown.pointSize(), 14);
}

TEST_F(DesignerOptions, TheDesignerOptionsApplyGridUnitsAndPositionAndCancelWritesNothing) {
  auto form = Open();
  WhenModal<TrpDesOptionsForm>([](TrpDesOptionsForm* dialog) {
    dialog->ShowGridCB->click();
    dialog->Grid18RB->click();
    dialog->MillimetresRB->click();
    dialog->LeftRB->click();
    dialog->ColoredButtonsCB->click();
    QTest::mouseClick(dialog->SelectionL, Qt::LeftButton);
    EXPECT_FALSE(dialog->SelectionCB->isChecked()) << "the label toggles its box";
    dialog->SetModalResult(mrOk);
  });
  form->MenuItem(OPT("N14"))->trigger();
  const TrpDesignerSettings& settings = form->Settings();
  EXPECT_FALSE(settings.GridShow);
  EXPECT_EQ(settings.GridSize, 18);
  EXPECT_EQ(settings.Units, TrpDesignerUnits::Millimetres);
  EXPECT_EQ(settings.PagePosition, 3);
  EXPECT_TRUE(settings.GrayButtons);
  EXPECT_EQ(settings.Selection, 0);
  EXPECT_FALSE(static_cast<TrpSpeedButton*>(form->Control(OPT("GB1")))->Down());

  const QString key = rpRegistryRoot() + OPT("\\Form\\TrpDesignerForm");
  WhenModal<TrpDesOptionsForm>([](TrpDesOptionsForm* dialog) {
    dialog->PageControl->setCurrentIndex(1);
    dialog->FixedFontRB->click();
    dialog->PixelsRB->click();
    dialog->SetModalResult(mrCancel);
  });
  form->MenuItem(OPT("N14"))->trigger();
  EXPECT_EQ(form->Settings().Units, TrpDesignerUnits::Millimetres);
  EXPECT_EQ(rpRegistryReadText(key, OPT("UseDefaultFont"), {}), OPT("1"))
      << "as the first OK wrote it; Cancel writes nothing";
}

} // namespace
