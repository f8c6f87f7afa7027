#pragma once
#include "console/editor/text/CodeEditHighlighter.h"
#include "console/editor/text/CodeEditSqlTypes.h"
#include <array>
#include <memory>

// One keyword of the hash: chains are ordered by length, equal lengths in the
// order the words were added.
struct TCodeHashEntry {
  std::unique_ptr<TCodeHashEntry> Next;
  int Length = 0;
  QString Keyword;
  TSqlTokenKind Kind = stkIdentifier;
};

// The keywords of the SQL highlighter in 256 buckets.
class TCodeHashEntryList {
public:
  void Clear();
  // Raises Exception "Keyword "%s" already in list" for a word the bucket holds
  // in any letter case.
  void Add(int bucket, std::unique_ptr<TCodeHashEntry> entry);
  const TCodeHashEntry* Bucket(int bucket) const { return buckets_[bucket].get(); }
  int Count() const { return count_; }

private:
  std::array<std::unique_ptr<TCodeHashEntry>, 256> buckets_;
  int count_ = 0;
};

// The highlighter of SQL text: 19 kinds of tokens, block comments and
// single-quoted strings continued across lines through the range, and words
// looked up in a keyword hash loaded from the chosen dialect's word lists and
// from the table names.
class TCodeSQLHighlighter : public TCodeCustomHighlighter {
  Q_OBJECT
public:
  explicit TCodeSQLHighlighter(QObject* owner = nullptr);
  ~TCodeSQLHighlighter() override;

  TSQLDialect SQLDialect() const { return dialect_; }
  void SetSQLDialect(TSQLDialect dialect);
  const QStringList& TableNames() const { return tableNames_; }
  void SetTableNames(const QStringList& names);
  // The number of keywords in the hash (the dialect's words and the table
  // names that are not keywords already).
  int KeywordCount() const { return keywords_.Count(); }

  TCodeHighlighterAttributes* DefaultAttribute(int role) const override;
  TCodeCharSet IdentifierChars() const override;
  QString SampleSource() const override;
  bool FilterNeedsStoring() const override;
  QString LanguageName() const override;
  bool IsKeywordText(const QString& word) const override;
  void Assign(const TCodeCustomHighlighter& source) override;

  void StartLine(const QString& text, int lineNumber) override;
  void NextToken() override;
  bool AtLineEnd() const override { return kind_ == stkLineEnd; }
  QString TokenText() const override { return line_.mid(tokenStart_, run_ - tokenStart_); }
  TCodeHighlighterAttributes* TokenAttribute() const override;
  int TokenKind() const override { return kind_; }
  int TokenStart() const override { return tokenStart_; }
  int CurrentRange() const override { return range_; }
  void RestoreRange(int range) override { range_ = TSqlRangeState(range); }
  void ClearRange() override { range_ = srsNormal; }

  TCodeHighlighterAttributes* CommentAttri;
  TCodeHighlighterAttributes* ConditionalCommentAttri;
  TCodeHighlighterAttributes* DataTypeAttri;
  TCodeHighlighterAttributes* DefaultPackageAttri;
  TCodeHighlighterAttributes* DelimitedIdentifierAttri;
  TCodeHighlighterAttributes* ExceptionAttri;
  TCodeHighlighterAttributes* FunctionAttri;
  TCodeHighlighterAttributes* IdentifierAttri;
  TCodeHighlighterAttributes* KeyAttri;
  TCodeHighlighterAttributes* NumberAttri;
  TCodeHighlighterAttributes* PLSQLAttri;
  TCodeHighlighterAttributes* SpaceAttri;
  TCodeHighlighterAttributes* SQLPlusAttri;
  TCodeHighlighterAttributes* StringAttri;
  TCodeHighlighterAttributes* SymbolAttri;
  TCodeHighlighterAttributes* TableNameAttri;
  TCodeHighlighterAttributes* VariableAttri;

private:
  using ScanRule = void (TCodeSQLHighlighter::*)();

  QChar At(int index) const { return index < line_.size() ? line_[index] : QChar(u'\0'); }
  bool IsIdentifier(QChar c) const;
  bool AtLineBreak(int index) const;
  int HashWord(QStringView text, int start, int& length) const;
  TSqlTokenKind LookUpWord(QStringView text, int start, int& length) const;
  void AddKeyword(const QString& word, TSqlTokenKind kind);
  void EnumerateKeywords(TSqlTokenKind kind, const char* list, const TCodeCharSet& wordChars);
  void AddTableNames();
  void RebuildKeywords();
  TCodeHighlighterAttributes* NewAttribute(const QString& name, TFontStyles style);
  void BuildDispatchTable();
  void SymbolWith(const char* followers);
  void ToLineEnd();

  void NullRule();
  void LineFeedRule();
  void CarriageReturnRule();
  void SpaceRule();
  void WordRule();
  void NumberRule();
  void StringRule();
  void DoubleQuoteRule();
  void BackQuoteRule();
  void BracketRule();
  void HashRule();
  void MinusRule();
  void SlashRule();
  void VariableRule();
  void EqualRule();
  void GreaterRule();
  void LessRule();
  void AmpersandRule();
  void BarRule();
  void PlusRule();
  void AssignmentSymbolRule();
  void UnknownRule();
  void SymbolRule();
  void BlockCommentRule();
  void DelimitedUpTo(QChar closing);

  TSqlRangeState range_ = srsNormal;
  QString line_;
  std::array<ScanRule, 128> dispatch_{};
  int run_ = 0;
  int tokenStart_ = 0;
  TSqlTokenKind kind_ = stkLineEnd;
  TCodeHashEntryList keywords_;
  QStringList tableNames_;
  TSQLDialect dialect_ = sqlStandard;
  bool atVariant_ = false; // the identifier and value tables with "@"
};
