#include "console/editor/text/CodeEditErrors.h"
#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "util/RtRegistry.h"
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A highlighter of another language: one token per line.
class TOtherHighlighter : public TCodeCustomHighlighter {
public:
  TOtherHighlighter() {
    word_ = new TCodeHighlighterAttributes(QStringLiteral("Word"));
    AddAttribute(word_);
    BindAttributes();
  }
  TCodeHighlighterAttributes* DefaultAttribute(int) const override { return word_; }
  bool AtLineEnd() const override { return done_; }
  QString TokenText() const override { return line_; }
  TCodeHighlighterAttributes* TokenAttribute() const override { return word_; }
  int TokenKind() const override { return 0; }
  int TokenStart() const override { return 0; }
  void NextToken() override { done_ = true; }
  void StartLine(const QString& text, int) override {
    line_ = text;
    done_ = text.isEmpty();
  }
  TCodeHighlighterAttributes* word_;

private:
  QString line_;
  bool done_ = true;
};

TEST(CodeEditHighlighterTest, AttributesNotifyOnlyRealChanges) {
  TCodeHighlighterAttributes attribute(QStringLiteral("Keyword"));
  int notices = 0;
  attribute.OnChange = [&](TCodeHighlighterAttributes* sender) {
    EXPECT_EQ(sender, &attribute);
    ++notices;
  };
  attribute.SetBackground(clNone);
  EXPECT_EQ(notices, 0);
  attribute.SetBackground(clYellow);
  attribute.SetForeground(clNavy);
  attribute.SetStyle(fsBold | fsUnderline);
  EXPECT_EQ(notices, 3);
  TCodeHighlighterAttributes other(QStringLiteral("Other"));
  other.SetBackground(clRed);
  other.SetForeground(clLime);
  other.SetStyle(fsItalic);
  notices = 0;
  attribute.AssignColorsAndStyle(other);
  EXPECT_EQ(notices, 1);
  attribute.AssignColorsAndStyle(other);
  EXPECT_EQ(notices, 1);
  attribute.Assign(other);
  EXPECT_EQ(attribute.Name(), QStringLiteral("Other"));
  EXPECT_EQ(notices, 1);
  attribute.RecordDefaults();
  EXPECT_EQ(attribute.DefaultForeground(), clLime);
  EXPECT_EQ(attribute.DefaultStyle(), fsItalic);
}

TEST(CodeEditHighlighterTest, ListenersHearOfAttributesKeywordsAndEnabled) {
  TCodeSQLHighlighter hl;
  QList<QObject*> senders;
  int listener = 0;
  hl.HookChange(&listener, [&](QObject* sender) { senders << sender; });
  hl.KeyAttri->SetForeground(clBlue);
  hl.SetSQLDialect(sqlSybase);
  hl.SetEnabled(false);
  hl.SetEnabled(false);
  EXPECT_EQ(senders, (QList<QObject*>{hl.KeyAttri, &hl, nullptr}));
  hl.UnhookChange(&listener);
  hl.SetEnabled(true);
  EXPECT_EQ(senders.size(), 3);
  EXPECT_EQ(hl.KeyAttri->DefaultForeground(), clNone); // defaults were recorded when created
  try {
    hl.HookChange(&listener, nullptr);
    FAIL() << "no error";
  } catch (const ECodeMethodChain& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("TCodeNotifyEventChain.Entry : the parameter `AEvent' must be specified."));
  }
  EXPECT_THROW(hl.UnhookChange(nullptr), ECodeMethodChain);
  EXPECT_THROW(hl.AddAttribute(new TCodeHighlighterAttributes(QStringLiteral("comment"))), EListError);
}

TEST(CodeEditHighlighterTest, ChainsStopOnAnErrorUnlessTheHandlerGoesOn) {
  TCodeNotifyEventChain chain;
  QStringList calls;
  int a = 0, b = 0, c = 0;
  chain.Add(&a, [&](QObject*) { calls << QStringLiteral("a"); });
  chain.Add(&b, [&](QObject*) { throw Exception(QStringLiteral("b failed")); });
  chain.Add(&c, [&](QObject*) { calls << QStringLiteral("c"); });
  chain.Add(&a, [&](QObject*) { calls << QStringLiteral("a again"); });
  EXPECT_THROW(chain.Fire(nullptr), Exception);
  EXPECT_EQ(calls, QStringList{QStringLiteral("a")});
  calls.clear();
  bool goOnAfterErrors = true;
  chain.OnException = [&](TCodeMethodChain*, const std::exception& e, bool& goOn) {
    calls << QString::fromUtf8(e.what());
    goOn = goOnAfterErrors;
  };
  chain.Fire(nullptr);
  EXPECT_EQ(calls, (QStringList{QStringLiteral("a"), QStringLiteral("b failed"), QStringLiteral("c"),
                                QStringLiteral("a again")}));
  calls.clear();
  goOnAfterErrors = false;
  chain.Fire(nullptr);
  EXPECT_EQ(calls, (QStringList{QStringLiteral("a"), QStringLiteral("b failed")}));
  chain.Remove(&a);
  EXPECT_EQ(chain.Count(), 2);
  chain.OnException = [](TCodeMethodChain*, const std::exception&, bool&) { throw 1; };
  try {
    chain.Fire(nullptr);
    FAIL() << "no error";
  } catch (const ECodeMethodChain& e) {
    EXPECT_EQ(e.Message(), QStringLiteral("TCodeNotifyEventChain.DoHandleException : MUST NOT occur any kind of "
                                          "exception in ExceptionHandler"));
  }
}

class CodeEditRegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    old_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path()));
  }
  void TearDown() override { qputenv("XDG_CONFIG_HOME", old_); }
  QTemporaryDir dir_;
  QByteArray old_;
  const QString key_ = QStringLiteral("Software\\Vimek\\TfrmServis\\SQL");
};

TEST_F(CodeEditRegistryTest, AttributesRoundTripIntoAFreshHighlighter) {
  TCodeSQLHighlighter saved;
  saved.KeyAttri->SetForeground(clNavy);
  saved.KeyAttri->SetBackground(clBtnFace);
  saved.StringAttri->SetStyle(fsItalic | fsStrikeOut);
  saved.CommentAttri->SetForeground(clGreen);
  ASSERT_TRUE(saved.SaveAttributesToRegistry(TRegRoot::CurrentUser, key_));
  // One sub-key without its style: the fresh highlighter keeps its own.
  ASSERT_TRUE(TRegistry::Root().DeleteValue(key_ + QStringLiteral("\\Comment"), QStringLiteral("Style")));

  TCodeSQLHighlighter loaded;
  ASSERT_TRUE(loaded.LoadAttributesFromRegistry(TRegRoot::CurrentUser, key_));
  for (int i = 0; i < saved.AttributeCount(); ++i) {
    SCOPED_TRACE(saved.AttributeAt(i)->Name().toStdString());
    EXPECT_EQ(loaded.AttributeAt(i)->Foreground(), saved.AttributeAt(i)->Foreground());
    EXPECT_EQ(loaded.AttributeAt(i)->Background(), saved.AttributeAt(i)->Background());
    EXPECT_EQ(loaded.AttributeAt(i)->Style(), saved.AttributeAt(i)->Style());
  }
  EXPECT_EQ(RegistryReadDword(TRegRoot::CurrentUser, key_ + QStringLiteral("\\String"), QStringLiteral("Style"), 0),
            10u);
  EXPECT_EQ(loaded.CommentAttri->Style(), fsItalic);
  EXPECT_FALSE(loaded.LoadAttributesFromRegistry(TRegRoot::CurrentUser, QStringLiteral("Software\\Missing")));
  TRegistry::Root().DeleteKey(key_ + QStringLiteral("\\Variable"));
  EXPECT_FALSE(loaded.LoadAttributesFromRegistry(TRegRoot::CurrentUser, key_));
}

TEST_F(CodeEditRegistryTest, ColourSchemesImportInBothFormats) {
  const QString scheme = QStringLiteral("Software\\IDE\\Editor\\Highlight");
  TRegistry& registry = TRegistry::Root();
  const QString reserved = scheme + QStringLiteral("\\Reserved word");
  registry.WriteValue(reserved, QStringLiteral("Foreground Color New"), TRegValue::String(QStringLiteral("clMaroon")),
                      true);
  registry.WriteValue(reserved, QStringLiteral("Background Color"), TRegValue::FromDword(14));
  for (const auto& [name, value] : {std::pair{"Bold", "True"},
                                    {"Italic", "0"},
                                    {"Underline", "false"},
                                    {"Default Foreground", "FALSE"},
                                    {"Default Background", "1"}})
    registry.WriteValue(reserved, QLatin1String(name), TRegValue::String(QLatin1String(value)));
  registry.WriteValue(scheme, QStringLiteral("Comment"), TRegValue::String(QStringLiteral("0,0,IU,0,0,9,15")));
  registry.WriteValue(scheme, QStringLiteral("Short"), TRegValue::String(QStringLiteral("0,0,B,0,0,9")));
  registry.WriteValue(scheme, QStringLiteral("Wrong"), TRegValue::String(QStringLiteral("0,0,B,0,0,16,1")));

  TCodeHighlighterAttributes attribute(QStringLiteral("Reserved word"));
  ASSERT_TRUE(attribute.ImportIdeScheme(TRegRoot::CurrentUser, scheme, QStringLiteral("Reserved word"), false));
  EXPECT_EQ(attribute.Foreground(), clMaroon);
  EXPECT_EQ(attribute.Background(), clWindow);
  EXPECT_EQ(attribute.Style(), fsBold);
  ASSERT_TRUE(attribute.ImportIdeScheme(TRegRoot::CurrentUser, scheme, QStringLiteral("Comment"), true));
  EXPECT_EQ(attribute.Foreground(), clRed);
  EXPECT_EQ(attribute.Background(), clWhite);
  EXPECT_EQ(attribute.Style(), fsItalic | fsUnderline);
  for (const char* name : {"Short", "Wrong", "Missing"})
    EXPECT_FALSE(attribute.ImportIdeScheme(TRegRoot::CurrentUser, scheme, QLatin1String(name), true)) << name;
  registry.DeleteValue(reserved, QStringLiteral("Italic"));
  EXPECT_FALSE(attribute.ImportIdeScheme(TRegRoot::CurrentUser, scheme, QStringLiteral("Reserved word"), false));
  EXPECT_EQ(attribute.Style(), fsItalic | fsUnderline); // unchanged
}

TEST(CodeEditHighlighterTest, AssignCopiesAttributesByNameAndTheCommonSettings) {
  TCodeSQLHighlighter source;
  source.SetSQLDialect(sqlMSSQL7);
  source.KeyAttri->SetForeground(clPurple);
  source.AssignWordBreakChars(TCodeCharSet{'.', ','});
  source.SetDefaultFilter(QStringLiteral("Skripty|*.sql"));
  source.SetEnabled(false);

  TCodeSQLHighlighter sql;
  sql.Assign(source);
  EXPECT_EQ(sql.KeyAttri->Foreground(), clPurple);
  EXPECT_EQ(sql.SQLDialect(), sqlMSSQL7);
  EXPECT_FALSE(sql.Enabled());

  TOtherHighlighter other;
  other.word_->SetForeground(clTeal);
  other.Assign(source);
  EXPECT_EQ(other.word_->Foreground(), clTeal); // no attribute of that name
  EXPECT_EQ(other.WordBreakSet(), (TCodeCharSet{'.', ','}));
  EXPECT_EQ(other.DefaultFilter(), QStringLiteral("Skripty|*.sql"));
  EXPECT_FALSE(other.Enabled());
  other.StartLine(QStringLiteral("abc"), 0);
  other.SkipToLineEnd();
  EXPECT_TRUE(other.AtLineEnd());
  EXPECT_EQ(other.LanguageName(), QStringLiteral("<Unknown>"));
  EXPECT_TRUE(other.IdentifierChars().Contains(u'!'));
}

} // namespace
