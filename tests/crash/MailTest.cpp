#include "app/AppContext.h"
#include "app/SettingsFile.h"
#include "controls/QPLBtn.h"
#include "crash/RtMapi.h"
#include "crash/fExceptionDialog.h"
#include "platform/MessageDialogs.h"
#include "platform/base/Registry.h"
#include "tests/support/QStringPrinter.h"
#include <QtCore/QDate>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kClients = QStringLiteral("SOFTWARE\\Clients\\Mail");
const QString kMessaging = QStringLiteral("SOFTWARE\\Microsoft\\Windows Messaging Subsystem");

QString BuiltFile(const QString& relative) {
  return qEnvironmentVariable("VIMEK_BINARY_DIR", QStringLiteral(".")) + QLatin1Char('/') + relative;
}

QString ReadText(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteText(const QString& fileName, const QString& text) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

// A registry of its own in a temporary folder, with one mail client
// registered as the default; the environment is restored afterwards.
class MailTest : public ::testing::Test {
protected:
  void SetUp() override {
    savedConfig_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_.filePath(QStringLiteral("config"))));
    qputenv("FAKE_MAPI_RECORD", QFile::encodeName(RecordFile()));
    qunsetenv("FAKE_MAPI_RESULT");
    RegisterClient(BuiltFile(QStringLiteral("tests/crash/crash_fake_mapi.so")));
  }
  void TearDown() override {
    qputenv("XDG_CONFIG_HOME", savedConfig_);
    qunsetenv("FAKE_MAPI_RECORD");
    qunsetenv("FAKE_MAPI_RESULT");
  }
  void RegisterClient(const QString& library) {
    TRegistry& machine = TRegistry::Root(TRegRoot::LocalMachine);
    machine.WriteValue(kClients, QString(), TRegValue::String(QStringLiteral("Fake")), true);
    machine.WriteValue(kClients + QStringLiteral("\\Fake"), QString(), TRegValue::String(QStringLiteral("Fake client")),
                       true);
    machine.WriteValue(kClients + QStringLiteral("\\Fake"), QStringLiteral("DLLPath"), TRegValue::String(library),
                       true);
  }
  void SetMessaging(const char* mapix, const char* mapi) {
    TRegistry& machine = TRegistry::Root(TRegRoot::LocalMachine);
    machine.WriteValue(kMessaging, QStringLiteral("MAPIX"), TRegValue::String(QLatin1String(mapix)), true);
    machine.WriteValue(kMessaging, QStringLiteral("MAPI"), TRegValue::String(QLatin1String(mapi)), true);
  }
  QString RecordFile() const { return folder_.filePath(QStringLiteral("sent.txt")); }
  QString Attachment() {
    const QString file = folder_.filePath(QStringLiteral("Vimek_Err.log"));
    WriteText(file, QStringLiteral("log"));
    return file;
  }

  QTemporaryDir folder_;
  QByteArray savedConfig_;
};

TEST_F(MailTest, SendsOneRecipientWithTheBodyAndTheAttachment) {
  const QString attachment = Attachment();
  ASSERT_TRUE(SendSimpleMail(QStringLiteral("  podpora@example.org "), QString(), QStringLiteral("Predmet"),
                             QStringLiteral("Telo správy"), attachment, false, nullptr));
  const QString sent = ReadText(RecordFile());
  // The address trimmed, typed "SMTP:", and standing in for the empty name.
  EXPECT_TRUE(sent.contains(QStringLiteral("recipient=1|podpora@example.org|SMTP:podpora@example.org\n")))
      << sent.toStdString();
  EXPECT_TRUE(sent.contains(QStringLiteral("subject=Predmet\n")));
  EXPECT_TRUE(sent.contains(QStringLiteral("body=Telo správy\r\n\n"))) << sent.toStdString();
  EXPECT_TRUE(sent.contains(QStringLiteral("file=4294967295|") + attachment + QLatin1Char('\n')));
  EXPECT_TRUE(sent.contains(QStringLiteral("flags=1\n"))); // log on with the client's own interface, no dialog

  ASSERT_TRUE(SendSimpleMail(QStringLiteral("a@example.org"), QStringLiteral("Podpora"), QStringLiteral("S"),
                             QStringLiteral("hotové\r\n"), QString(), false, nullptr));
  const QString named = ReadText(RecordFile());
  EXPECT_TRUE(named.contains(QStringLiteral("recipient=1|Podpora|SMTP:a@example.org\n")));
  EXPECT_TRUE(named.contains(QStringLiteral("body=hotové\r\n\n"))); // not a second CR LF
  EXPECT_FALSE(named.contains(QStringLiteral("file=")));
}

TEST_F(MailTest, BodyGetsOneClosingLineBreak) {
  TRtEmail mail;
  const std::pair<const char*, const char*> cases[] = {
      {"a", "a\r\n"}, {"a\r\n", "a\r\n"}, {"a\n", "a\n\r\n"}, {"", ""}};
  for (const auto& [body, sent] : cases) {
    mail.SetBody(QLatin1String(body));
    EXPECT_EQ(mail.Body(), QLatin1String(sent)) << body;
  }
}

TEST_F(MailTest, FailuresRaiseTheirMapiErrorAndACancelIsFalse) {
  {
    TRtEmail mail;
    mail.AddRecipient(QStringLiteral("a@example.org"));
    mail.Attachments.append(folder_.filePath(QStringLiteral("missing.log")));
    try {
      mail.Send(false);
      FAIL() << "a missing attachment was sent";
    } catch (const ERtMapiError& e) {
      EXPECT_EQ(e.ErrorCode(), 11);
      EXPECT_EQ(e.Message(), QStringLiteral("MAPI Error: (11) \"A specified attachment was not found\""));
    }
    EXPECT_FALSE(mail.ClientLibraryLoaded()); // refused before the client was loaded
  }
  // Neither an address nor a name: the recipients are invalid.
  try {
    SendSimpleMail(QString(), QString(), QStringLiteral("S"), QStringLiteral("B"), QString(), false, nullptr);
    FAIL() << "a message without a recipient was sent";
  } catch (const ERtMapiError& e) {
    EXPECT_EQ(e.ErrorCode(), 25);
    EXPECT_EQ(e.Message(), QStringLiteral("MAPI Error: (25) \"Invalid recipients\""));
  }
  qputenv("FAKE_MAPI_RESULT", "1");
  EXPECT_FALSE(SendSimpleMail(QStringLiteral("a@example.org"), QString(), QStringLiteral("S"), QStringLiteral("B"),
                              QString(), false, nullptr));
  qputenv("FAKE_MAPI_RESULT", "2");
  try {
    SendSimpleMail(QStringLiteral("a@example.org"), QString(), QStringLiteral("S"), QStringLiteral("B"), QString(),
                   false, nullptr);
    FAIL() << "a failed send reported success";
  } catch (const ERtMapiError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("MAPI Error: (2) \"General MAPI failure\""));
  }
}

TEST_F(MailTest, ChoosesTheLibraryFromTheSetUp) {
  {
    TRtSimpleMapi setup;
    EXPECT_TRUE(setup.AnyClientInstalled);
    ASSERT_EQ(setup.Clients.size(), 1);
    EXPECT_EQ(setup.Clients[0].DisplayName, QStringLiteral("Fake client"));
    EXPECT_TRUE(setup.Clients[0].Usable);
    EXPECT_EQ(setup.DefaultClientIndex, 0);
    EXPECT_EQ(setup.LibraryToLoad(), BuiltFile(QStringLiteral("tests/crash/crash_fake_mapi.so")));
  }
  SetMessaging("1", "1");
  EXPECT_EQ(TRtSimpleMapi().LibraryToLoad(), TRtSimpleMapi::SystemLibraryPath());
  // Extended MAPI without Simple MAPI and without a default client: nothing to load.
  SetMessaging("1", "0");
  TRegistry::Root(TRegRoot::LocalMachine).WriteValue(kClients, QString(), TRegValue::String(QStringLiteral("None")));
  TRtSimpleMapi withoutDefault;
  EXPECT_TRUE(withoutDefault.AnyClientInstalled);
  EXPECT_EQ(withoutDefault.DefaultClientIndex, -1);
  try {
    (void)withoutDefault.LibraryToLoad();
    FAIL() << "a library was chosen without a client";
  } catch (const ERtMapiError& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("No Simple MAPI client installed, cannot send the message"));
  }
  // A library without the entry points is no client.
  TRegistry::Root(TRegRoot::LocalMachine).DeleteKey(kMessaging);
  RegisterClient(QStringLiteral("libm.so.6"));
  TRtSimpleMapi unusable;
  EXPECT_FALSE(unusable.Clients[0].Usable);
  EXPECT_FALSE(unusable.AnyClientInstalled);
  EXPECT_THROW(SendSimpleMail(QStringLiteral("a@example.org"), QString(), QStringLiteral("S"), QStringLiteral("B"),
                              QString(), false, nullptr),
               ERtMapiError);
}

TEST_F(MailTest, TheSeededMessagingKeyLeadsToTheSystemLibrary) {
  TRegistry::Root(TRegRoot::LocalMachine).DeleteKey(kClients);
  EXPECT_FALSE(TRtSimpleMapi().AnyClientInstalled);
  EnsureMessagingSubsystemKey();
  TRtSimpleMapi setup;
  EXPECT_TRUE(setup.SimpleMapiInstalled);
  EXPECT_TRUE(setup.AnyClientInstalled);
  EXPECT_EQ(setup.LibraryToLoad(), TRtSimpleMapi::SystemLibraryPath());
  // A key that is there stays as it is.
  SetMessaging("1", "0");
  EnsureMessagingSubsystemKey();
  EXPECT_FALSE(TRtSimpleMapi().SimpleMapiInstalled);
}

// The crash dialog's send: the log moves to the dated name once a day.
TEST_F(MailTest, ASentReportMovesTheLogToTheDatedNameOnceADay) {
  const QString programBefore = ProgramFilePath();
  SetProgramFilePath(folder_.filePath(QStringLiteral("Vimek")));
  TSettingsFile settings(SettingsFilePath());
  settings.WriteString(QLatin1String(kSupportAddressKey), QStringLiteral("podpora@example.org"));
  settings.WriteString(QLatin1String(kSupportNameKey), QStringLiteral("Podpora"));
  SetMessaging("0", "0"); // present, so the default client is used
  TScriptedMessageDialogs messages;
  const QString log = Attachment();
  const QString dated =
      folder_.filePath(QStringLiteral("Vimek_Err_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                       QStringLiteral(".log"));
  {
    TExceptionDialog dialog;
    dialog.SetMessage(QStringLiteral("Chyba"));
    dialog.btnSendClick();
  }
  EXPECT_FALSE(QFile::exists(log));
  EXPECT_TRUE(QFile::exists(dated));
  const QString sent = ReadText(RecordFile());
  EXPECT_TRUE(sent.contains(QStringLiteral("recipient=1|Podpora|SMTP:podpora@example.org")));
  EXPECT_TRUE(sent.contains(QStringLiteral("subject=Tarnavo - Chybové hlásenie\n")));
  EXPECT_TRUE(sent.contains(QStringLiteral("body=Chyba.\r\n\r\n"))) << sent.toStdString();
  ASSERT_EQ(messages.Requests().size(), 1);
  EXPECT_EQ(messages.Requests()[0].Text,
            QStringLiteral("Správa bola uložená do e-mailového klienta a je pripravená na odoslanie."));

  // The second report of the day keeps the plain name.
  Attachment();
  {
    TExceptionDialog dialog;
    dialog.btnSendClick();
  }
  EXPECT_TRUE(QFile::exists(log));
  // A cancel in the client says so.
  qputenv("FAKE_MAPI_RESULT", "1");
  {
    TExceptionDialog dialog;
    dialog.btnSendClick();
  }
  ASSERT_EQ(messages.Requests().size(), 3);
  EXPECT_EQ(messages.Requests()[2].Text,
            QStringLiteral("Chyba pri odoslaní správy do e-mailového klienta. Kontaktujte administratora systému."));
  SetProgramFilePath(programBefore);
}

// Our own library hands the message to xdg-email, here a script that records its arguments.
TEST_F(MailTest, TheSystemLibraryHandsTheMessageToXdgEmail) {
  const QString bin = folder_.filePath(QStringLiteral("bin"));
  QDir().mkpath(bin);
  const QString arguments = folder_.filePath(QStringLiteral("xdg-email.args"));
  const QString script = bin + QStringLiteral("/xdg-email");
  WriteText(script, QStringLiteral(
                        "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\nexit ${FAKE_XDG_EXIT:-0}\n")
                        .arg(arguments));
  QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QByteArray pathBefore = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(bin));
  RegisterClient(BuiltFile(QStringLiteral("bin/mapi32.so")));
  const QString attachment = Attachment();
  const bool sent = SendSimpleMail(QStringLiteral("podpora@example.org"), QString(), QStringLiteral("Hlásenie"),
                                   QStringLiteral("Riadok 1\r\nRiadok 2"), attachment, false, nullptr);
  EXPECT_TRUE(sent);
  EXPECT_EQ(ReadText(arguments),
            QStringLiteral("--utf8\n--subject\nHlásenie\n--body\nRiadok 1\r\nRiadok 2\r\n\n--attach\n") + attachment +
                QStringLiteral("\npodpora@example.org\n"));
  // A failing or missing xdg-email is the general failure.
  qputenv("FAKE_XDG_EXIT", "3");
  EXPECT_THROW(SendSimpleMail(QStringLiteral("a@example.org"), QString(), QStringLiteral("S"), QStringLiteral("B"),
                              QString(), false, nullptr),
               ERtMapiError);
  qunsetenv("FAKE_XDG_EXIT");
  qputenv("PATH", QFile::encodeName(folder_.filePath(QStringLiteral("empty"))));
  try {
    SendSimpleMail(QStringLiteral("a@example.org"), QString(), QStringLiteral("S"), QStringLiteral("B"), QString(),
                   false, nullptr);
    FAIL() << "sent without a mail client";
  } catch (const ERtMapiError& e) {
    EXPECT_EQ(e.ErrorCode(), 2);
  }
  qputenv("PATH", pathBefore);
}

} // namespace
