#include "registers/common/PrintParametersForm.h"
#include "controls/QPLBtn.h"
#include "tests/registers/common/RegisterTestSupport.h"
#include <QtWidgets/QVBoxLayout>

namespace {

// A parameters dialog that counts its confirmations.
class TCountingParametersForm : public TPrintParametersForm {
public:
  TCountingParametersForm() : TPrintParametersForm(nullptr) {}
  TButtons Add(const TButtonsLook& look) { return AddButtons(*new QVBoxLayout(this), look); }
  void btnZapisClick() override { ++confirmed; }
  int confirmed = 0;
};

TEST(PrintParametersFormTest, TheButtonsTakeTheirLookAndOkConfirmsWhileTheOtherCancels) {
  const struct {
    const char* cancelCaption;
    bool images, skipsTheChecks;
    int okImage, cancelImage;
  } cases[] = {{"&Netlač", false, true, -1, -1}, {"&Nezapíš", true, false, 1, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cancelCaption);
    TCountingParametersForm form;
    const auto buttons = form.Add({.CancelCaption = QString::fromUtf8(c.cancelCaption),
                                   .Images = c.images,
                                   .CancelSkipsTheChecks = c.skipsTheChecks});
    EXPECT_EQ(buttons.Ok->objectName(), QStringLiteral("btnZapis"));
    EXPECT_EQ(buttons.Cancel->objectName(), QStringLiteral("btnNezapis"));
    EXPECT_EQ(buttons.Ok->text(), QStringLiteral(" &OK"));
    EXPECT_EQ(buttons.Cancel->text(), QString::fromUtf8(c.cancelCaption));
    EXPECT_TRUE(buttons.Ok->font().bold() && buttons.Cancel->font().bold());
    EXPECT_EQ(buttons.Cancel->Cancel(), c.skipsTheChecks);
    EXPECT_FALSE(buttons.Ok->Cancel());
    EXPECT_EQ(buttons.Ok->ImageIndex(), c.okImage);
    EXPECT_EQ(buttons.Cancel->ImageIndex(), c.cancelImage);
    buttons.Ok->click();
    EXPECT_EQ(form.confirmed, 1);
    EXPECT_EQ(form.ModalResult(), 0);
    buttons.Cancel->click();
    EXPECT_EQ(form.confirmed, 1);
    EXPECT_EQ(form.ModalResult(), mrCancel);
  }
}

} // namespace
