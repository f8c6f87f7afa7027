#include "app/Application.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QTranslator>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <gtest/gtest.h>

namespace {

// Qt's question boxes (the designer's "save changes?") show every standard button in Slovak.
TEST(SlovakQtTexts, EveryStandardButtonOfAQuestionIsSlovak) {
  const QList<QTranslator*> installed = InstallSlovakQtTexts(nullptr);
  const struct {
    QMessageBox::StandardButton button;
    const char* slovak;
  } cases[] = {{QMessageBox::Yes, "&Áno"},
               {QMessageBox::No, "&Nie"},
               {QMessageBox::Cancel, "Storno"},
               {QMessageBox::Save, "Uložiť"},
               {QMessageBox::Open, "Otvoriť"},
               {QMessageBox::Close, "Zavrieť"},
               {QMessageBox::YesToAll, "Áno pre &všetky"},
               {QMessageBox::NoToAll, "Nie pre vš&etky"},
               {QMessageBox::Abort, "Prerušiť"},
               {QMessageBox::Retry, "Znova"},
               {QMessageBox::Ignore, "Ignorovať"},
               {QMessageBox::Apply, "Použiť"},
               {QMessageBox::Help, "Pomocník"},
               {QMessageBox::RestoreDefaults, "Obnoviť predvolené"}};
  QMessageBox box;
  for (const auto& c : cases) {
    QAbstractButton* button = box.addButton(c.button);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf8(c.slovak));
  }
  // Discard is named by the platform ("Discard", "Don't Save" or "Close without Saving"): Slovak whichever it is.
  const QString discard = box.addButton(QMessageBox::Discard)->text();
  EXPECT_TRUE(
      QStringList({QStringLiteral("Zahodiť"), QStringLiteral("Neuložiť"), QStringLiteral("Zavrieť bez uloženia")})
          .contains(discard))
      << discard.toStdString();
  for (QTranslator* translator : installed) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

} // namespace
