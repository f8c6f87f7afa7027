#include "console/editor/text/CodeEditHighlighterSQL.h"
#include "console/editor/text/CodeEditSqlKeywords.h"
#include "console/editor/text/CodeEditStrings.h"

namespace {

// The scanner's character tables (ASCII; every other character is neither an
// identifier character nor has a value): identifier characters, and the
// values of the keyword hash (letters folded, "_" 1, "@" 28 in the variant).
struct CharTables {
  std::array<bool, 128> identifier{};
  std::array<bool, 128> identifierAt{};
  std::array<quint8, 128> value{};
  std::array<quint8, 128> valueAt{};
  CharTables() {
    for (int c = 0; c < 128; ++c) {
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      identifier[c] = letter || (c >= '0' && c <= '9') || c == '_' || c == '#' || c == '$';
      value[c] = letter ? quint8((c | 0x20) - 'a' + 2) : (c == '_' ? 1 : 0);
    }
    identifierAt = identifier;
    identifierAt['@'] = true;
    valueAt = value;
    valueAt['@'] = 28;
  }
};

const CharTables& Tables() {
  static const CharTables tables;
  return tables;
}

int StandardValue(QChar c) { return c.unicode() < 128 ? Tables().value[c.unicode()] : 0; }

[[maybe_unused]] const bool registered = (RegisterHighlighterClass(&TCodeSQLHighlighter::staticMetaObject), true);

} // namespace

void TCodeHashEntryList::Clear() {
  for (auto& bucket : buckets_)
    bucket.reset();
  count_ = 0;
}

void TCodeHashEntryList::Add(int bucket, std::unique_ptr<TCodeHashEntry> entry) {
  std::unique_ptr<TCodeHashEntry>* link = &buckets_[bucket];
  while (*link && (*link)->Length <= entry->Length) {
    if ((*link)->Keyword.compare(entry->Keyword, Qt::CaseInsensitive) == 0)
      throw Exception(QStringLiteral("Keyword \"%1\" already in list").arg(entry->Keyword));
    link = &(*link)->Next;
  }
  entry->Next = std::move(*link);
  *link = std::move(entry);
  ++count_;
}

TCodeSQLHighlighter::TCodeSQLHighlighter(QObject* owner) : TCodeCustomHighlighter(owner) {
  using namespace CodeEditStrings;
  CommentAttri = NewAttribute(AttrComment(), fsItalic);
  ConditionalCommentAttri = NewAttribute(AttrConditionalComment(), fsItalic);
  DataTypeAttri = NewAttribute(AttrDataType(), fsBold);
  DefaultPackageAttri = NewAttribute(AttrDefaultPackages(), fsBold);
  DelimitedIdentifierAttri = NewAttribute(AttrDelimitedIdentifier(), 0);
  ExceptionAttri = NewAttribute(AttrException(), fsItalic);
  FunctionAttri = NewAttribute(AttrFunction(), fsBold);
  IdentifierAttri = NewAttribute(AttrIdentifier(), 0);
  KeyAttri = NewAttribute(AttrReservedWord(), fsBold);
  NumberAttri = NewAttribute(AttrNumber(), 0);
  PLSQLAttri = NewAttribute(AttrPlSqlReservedWord(), fsBold);
  SpaceAttri = NewAttribute(AttrSpace(), 0);
  SQLPlusAttri = NewAttribute(AttrSqlPlusCommand(), fsBold);
  StringAttri = NewAttribute(AttrString(), 0);
  SymbolAttri = NewAttribute(AttrSymbol(), 0);
  TableNameAttri = NewAttribute(AttrTableName(), 0);
  VariableAttri = NewAttribute(AttrVariable(), 0);
  BindAttributes();
  BuildDispatchTable();
  SetDefaultFilter(SqlFilter());
  RebuildKeywords();
}

TCodeSQLHighlighter::~TCodeSQLHighlighter() = default;

TCodeHighlighterAttributes* TCodeSQLHighlighter::NewAttribute(const QString& name, TFontStyles style) {
  auto* attribute = new TCodeHighlighterAttributes(name);
  attribute->SetStyle(style);
  AddAttribute(attribute);
  return attribute;
}

TCodeHighlighterAttributes* TCodeSQLHighlighter::DefaultAttribute(int role) const {
  switch (role) {
  case drComment:
    return CommentAttri;
  case drIdentifier:
    return IdentifierAttri;
  case drKeyword:
    return KeyAttri;
  case drString:
    return StringAttri;
  case drWhitespace:
    return SpaceAttri;
  case drSymbol:
    return SymbolAttri;
  default:
    return nullptr;
  }
}

TCodeHighlighterAttributes* TCodeSQLHighlighter::TokenAttribute() const {
  switch (kind_) {
  case stkComment:
    return CommentAttri;
  case stkDataType:
    return DataTypeAttri;
  case stkDefaultPackage:
    return DefaultPackageAttri;
  case stkException:
    return ExceptionAttri;
  case stkFunction:
    return FunctionAttri;
  case stkIdentifier:
  case stkUnknown:
    return IdentifierAttri;
  case stkKeyword:
    return KeyAttri;
  case stkNumber:
    return NumberAttri;
  case stkSpace:
    return SpaceAttri;
  case stkPlSql:
    return PLSQLAttri;
  case stkSqlPlus:
    return SQLPlusAttri;
  case stkString:
    return StringAttri;
  case stkSymbol:
    return SymbolAttri;
  case stkTableName:
    return TableNameAttri;
  case stkVariable:
    return VariableAttri;
  case stkConditionalComment:
    return ConditionalCommentAttri;
  case stkDelimitedIdentifier:
    return DelimitedIdentifierAttri;
  case stkLineEnd:
    return nullptr;
  }
  return nullptr;
}

QString TCodeSQLHighlighter::LanguageName() const { return CodeEditStrings::SqlLanguageName(); }

TCodeCharSet TCodeSQLHighlighter::IdentifierChars() const {
  TCodeCharSet chars = DefaultIdentifierChars();
  if (dialect_ == sqlMSSQL7 || dialect_ == sqlMSSQL2K) chars.Include('@');
  if (dialect_ == sqlOracle) chars.Include('#').Include('$');
  return chars;
}

QString TCodeSQLHighlighter::SampleSource() const { return SqlSampleSource(dialect_); }

bool TCodeSQLHighlighter::FilterNeedsStoring() const { return DefaultFilter() != CodeEditStrings::SqlFilter(); }

bool TCodeSQLHighlighter::IsKeywordText(const QString& word) const {
  int length = 0;
  switch (LookUpWord(word, 0, length)) {
  case stkDataType:
  case stkDefaultPackage:
  case stkException:
  case stkFunction:
  case stkKeyword:
  case stkPlSql:
    return true;
  default:
    return false;
  }
}

void TCodeSQLHighlighter::Assign(const TCodeCustomHighlighter& source) {
  TCodeCustomHighlighter::Assign(source);
  if (const auto* sql = qobject_cast<const TCodeSQLHighlighter*>(&source)) SetSQLDialect(sql->SQLDialect());
}

void TCodeSQLHighlighter::SetSQLDialect(TSQLDialect dialect) {
  if (dialect == dialect_) return;
  dialect_ = dialect;
  RebuildKeywords();
}

void TCodeSQLHighlighter::SetTableNames(const QStringList& names) {
  tableNames_ = names;
  RebuildKeywords();
}

bool TCodeSQLHighlighter::IsIdentifier(QChar c) const {
  return c.unicode() < 128 && (atVariant_ ? Tables().identifierAt : Tables().identifier)[c.unicode()];
}

int TCodeSQLHighlighter::HashWord(QStringView text, int start, int& length) const {
  const auto& values = atVariant_ ? Tables().valueAt : Tables().value;
  int hash = 0;
  int i = start;
  for (; i < text.size() && IsIdentifier(text[i]); ++i)
    hash = (2 * hash + values[text[i].unicode()]) & 0xFFFFFF;
  length = i - start;
  return hash & 0xFF;
}

TSqlTokenKind TCodeSQLHighlighter::LookUpWord(QStringView text, int start, int& length) const {
  const int bucket = HashWord(text, start, length);
  for (const TCodeHashEntry* entry = keywords_.Bucket(bucket); entry && entry->Length <= length;
       entry = entry->Next.get()) {
    if (entry->Length < length) continue;
    // Letters match in any case; every other character equals every other.
    bool same = true;
    for (int i = 0; i < length && same; ++i)
      same = StandardValue(text[start + i]) == StandardValue(entry->Keyword[i]);
    if (same) return entry->Kind;
  }
  return stkIdentifier;
}

void TCodeSQLHighlighter::AddKeyword(const QString& word, TSqlTokenKind kind) {
  int length = 0;
  const int bucket = HashWord(word, 0, length);
  auto entry = std::make_unique<TCodeHashEntry>();
  entry->Length = int(word.size());
  entry->Keyword = word;
  entry->Kind = kind;
  keywords_.Add(bucket, std::move(entry));
}

void TCodeSQLHighlighter::EnumerateKeywords(TSqlTokenKind kind, const char* list, const TCodeCharSet& wordChars) {
  const QString text = QString::fromLatin1(list);
  for (qsizetype i = 0; i < text.size();) {
    if (!wordChars.Contains(text[i])) {
      ++i;
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && wordChars.Contains(text[end]))
      ++end;
    AddKeyword(text.mid(i, end - i), kind);
    i = end;
  }
}

void TCodeSQLHighlighter::AddTableNames() {
  for (const QString& name : tableNames_) {
    int length = 0;
    bool known = false;
    for (const TCodeHashEntry* e = keywords_.Bucket(HashWord(name, 0, length)); e && !known; e = e->Next.get())
      known = e->Keyword.toUpper() == name.toUpper();
    if (!known) AddKeyword(name, stkTableName);
  }
}

void TCodeSQLHighlighter::RebuildKeywords() {
  keywords_.Clear();
  atVariant_ = dialect_ == sqlMSSQL7 || dialect_ == sqlMSSQL2K;
  TCodeCharSet wordChars = IdentifierChars();
  if (dialect_ == sqlStandard) wordChars.Include('-');
  for (const TSqlKeywordList& list : SqlDialectKeywordLists(dialect_))
    EnumerateKeywords(list.kind, list.words, wordChars);
  AddTableNames();
  NotifyHighlightChange(this);
}

void TCodeSQLHighlighter::BuildDispatchTable() {
  for (int c = 0; c < 128; ++c) {
    ScanRule rule = &TCodeSQLHighlighter::SymbolRule;
    if (c == 0)
      rule = &TCodeSQLHighlighter::NullRule;
    else if (c == '\n')
      rule = &TCodeSQLHighlighter::LineFeedRule;
    else if (c == '\r')
      rule = &TCodeSQLHighlighter::CarriageReturnRule;
    else if (c <= 32)
      rule = &TCodeSQLHighlighter::SpaceRule;
    else if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
      rule = &TCodeSQLHighlighter::WordRule;
    else if (c >= '0' && c <= '9')
      rule = &TCodeSQLHighlighter::NumberRule;
    else if (c == '$' || c == '\\' || c == 127)
      rule = &TCodeSQLHighlighter::UnknownRule;
    else {
      switch (c) {
      case '\'':
        rule = &TCodeSQLHighlighter::StringRule;
        break;
      case '"':
        rule = &TCodeSQLHighlighter::DoubleQuoteRule;
        break;
      case '`':
        rule = &TCodeSQLHighlighter::BackQuoteRule;
        break;
      case '[':
        rule = &TCodeSQLHighlighter::BracketRule;
        break;
      case '#':
        rule = &TCodeSQLHighlighter::HashRule;
        break;
      case '-':
        rule = &TCodeSQLHighlighter::MinusRule;
        break;
      case '/':
        rule = &TCodeSQLHighlighter::SlashRule;
        break;
      case '@':
      case ':':
        rule = &TCodeSQLHighlighter::VariableRule;
        break;
      case '=':
        rule = &TCodeSQLHighlighter::EqualRule;
        break;
      case '>':
        rule = &TCodeSQLHighlighter::GreaterRule;
        break;
      case '<':
        rule = &TCodeSQLHighlighter::LessRule;
        break;
      case '&':
        rule = &TCodeSQLHighlighter::AmpersandRule;
        break;
      case '|':
        rule = &TCodeSQLHighlighter::BarRule;
        break;
      case '+':
        rule = &TCodeSQLHighlighter::PlusRule;
        break;
      case '!':
      case '%':
      case '*':
      case '^':
        rule = &TCodeSQLHighlighter::AssignmentSymbolRule;
        break;
      default:
        break;
      }
    }
    dispatch_[c] = rule;
  }
}

void TCodeSQLHighlighter::StartLine(const QString& text, int) {
  line_ = text;
  run_ = 0;
  NextToken();
}

void TCodeSQLHighlighter::NextToken() {
  tokenStart_ = run_;
  if (range_ == srsComment || range_ == srsConditionalComment) {
    BlockCommentRule();
  } else if (range_ == srsString) {
    StringRule();
  } else {
    const char16_t c = At(run_).unicode();
    if (c < 128)
      (this->*dispatch_[c])();
    else
      UnknownRule();
  }
}

bool TCodeSQLHighlighter::AtLineBreak(int index) const {
  const QChar c = At(index);
  return c == u'\0' || c == u'\n' || c == u'\r';
}

void TCodeSQLHighlighter::ToLineEnd() {
  while (!AtLineBreak(run_))
    ++run_;
}

void TCodeSQLHighlighter::NullRule() { kind_ = stkLineEnd; }

void TCodeSQLHighlighter::LineFeedRule() {
  kind_ = stkSpace;
  ++run_;
}

void TCodeSQLHighlighter::CarriageReturnRule() {
  kind_ = stkSpace;
  if (At(++run_) == u'\n') ++run_;
}

void TCodeSQLHighlighter::SpaceRule() {
  kind_ = stkSpace;
  ++run_;
  for (QChar c = At(run_); c.unicode() >= 1 && c.unicode() <= 32 && c != u'\n' && c != u'\r'; c = At(run_))
    ++run_;
}

void TCodeSQLHighlighter::WordRule() {
  int length = 0;
  kind_ = LookUpWord(line_, run_, length);
  run_ += length;
  // A comment word of the dialect (REM) comments out the rest of its line.
  if (kind_ == stkComment) ToLineEnd();
}

void TCodeSQLHighlighter::NumberRule() {
  kind_ = stkNumber;
  ++run_;
  for (QChar c = At(run_); (c >= u'0' && c <= u'9') || c == u'-' || c == u'.'; c = At(run_)) {
    if (c == u'.' && At(run_ + 1) == u'.') break; // 1..10: a range, not a number
    ++run_;
  }
}

void TCodeSQLHighlighter::StringRule() {
  if (At(run_) == u'\0') {
    NullRule();
    return;
  }
  kind_ = stkString;
  const bool escapes = dialect_ == sqlMySQL;
  const auto closing = [&](int i) { return At(i) == u'\'' && !(escapes && i > 0 && At(i - 1) == u'\\'); };
  // A continued string whose line starts with a quote closes at once.
  if (run_ > 0 || range_ != srsString || At(run_) != u'\'') {
    range_ = srsString;
    do
      ++run_;
    while (!AtLineBreak(run_) && !closing(run_));
  }
  if (closing(run_)) {
    ++run_;
    range_ = srsNormal;
  }
}

void TCodeSQLHighlighter::DelimitedUpTo(QChar closing) {
  kind_ = stkDelimitedIdentifier;
  for (++run_; !AtLineBreak(run_); ++run_) {
    if (At(run_) != closing) continue;
    if (At(run_ + 1) != closing) {
      ++run_;
      return;
    }
    ++run_; // a doubled closing character belongs to the name
  }
}

void TCodeSQLHighlighter::DoubleQuoteRule() { DelimitedUpTo(u'"'); }

void TCodeSQLHighlighter::BackQuoteRule() {
  if (dialect_ == sqlMySQL)
    DelimitedUpTo(u'`');
  else
    UnknownRule();
}

void TCodeSQLHighlighter::BracketRule() {
  if (dialect_ == sqlMSSQL7 || dialect_ == sqlMSSQL2K)
    DelimitedUpTo(u']');
  else
    SymbolRule();
}

void TCodeSQLHighlighter::HashRule() {
  if (dialect_ != sqlMySQL) {
    UnknownRule();
    return;
  }
  kind_ = stkComment;
  ToLineEnd();
}

void TCodeSQLHighlighter::MinusRule() {
  if (At(run_ + 1) != u'-') {
    SymbolRule();
    return;
  }
  kind_ = stkComment;
  ToLineEnd();
}

void TCodeSQLHighlighter::SlashRule() {
  if (At(run_ + 1) != u'*') {
    SymbolWith("=");
    return;
  }
  const bool conditional = dialect_ == sqlMySQL && At(run_ + 2) == u'!';
  range_ = conditional ? srsConditionalComment : srsComment;
  kind_ = conditional ? stkConditionalComment : stkComment;
  run_ += 2;
  BlockCommentRule();
}

void TCodeSQLHighlighter::BlockCommentRule() {
  if (run_ == tokenStart_) {
    switch (At(run_).unicode()) {
    case u'\0':
      NullRule();
      return;
    case u'\n':
      LineFeedRule();
      return;
    case u'\r':
      CarriageReturnRule();
      return;
    default:
      kind_ = range_ == srsConditionalComment ? stkConditionalComment : stkComment;
    }
  }
  for (; !AtLineBreak(run_); ++run_) {
    if (At(run_) == u'*' && At(run_ + 1) == u'/') {
      run_ += 2;
      range_ = srsNormal;
      return;
    }
  }
}

void TCodeSQLHighlighter::VariableRule() {
  const QChar c = At(run_);
  if ((dialect_ == sqlMSSQL7 || dialect_ == sqlMSSQL2K) && c == u'@' && At(run_ + 1) == u'@') {
    WordRule();
  } else if ((dialect_ == sqlMySQL || dialect_ == sqlOracle) && c == u'@') {
    SymbolRule();
  } else if (dialect_ != sqlOracle && dialect_ != sqlIngres && c == u':') {
    SymbolRule();
  } else {
    kind_ = stkVariable;
    for (++run_; IsIdentifier(At(run_));)
      ++run_;
  }
}

void TCodeSQLHighlighter::SymbolWith(const char* followers) {
  kind_ = stkSymbol;
  const QChar next = At(++run_);
  for (const char* f = followers; *f; ++f) {
    if (next != QLatin1Char(*f)) continue;
    ++run_;
    return;
  }
}

void TCodeSQLHighlighter::EqualRule() { SymbolWith("=>"); }
void TCodeSQLHighlighter::GreaterRule() { SymbolWith("=>"); }
void TCodeSQLHighlighter::AmpersandRule() { SymbolWith("&="); }
void TCodeSQLHighlighter::BarRule() { SymbolWith("|="); }
void TCodeSQLHighlighter::PlusRule() { SymbolWith("+="); }
void TCodeSQLHighlighter::AssignmentSymbolRule() { SymbolWith("="); }

void TCodeSQLHighlighter::LessRule() {
  kind_ = stkSymbol;
  const QChar next = At(++run_);
  if (next == u'=') {
    ++run_;
  } else if (next == u'<') {
    if (At(++run_) == u'=') ++run_; // <<=
  }
}

void TCodeSQLHighlighter::UnknownRule() {
  kind_ = stkUnknown;
  run_ += At(run_).isHighSurrogate() && At(run_ + 1).isLowSurrogate() ? 2 : 1;
}

void TCodeSQLHighlighter::SymbolRule() {
  kind_ = stkSymbol;
  ++run_;
}
