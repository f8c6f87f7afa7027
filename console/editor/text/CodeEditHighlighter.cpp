#include "console/editor/text/CodeEditHighlighter.h"
#include "console/editor/text/CodeEditErrors.h"
#include "core/ColorNames.h"
#include "util/RtRegistry.h"

namespace {

QString SubKey(const QString& key, const QString& name) { return key + u'\\' + name; }

std::optional<quint32> ReadDword(TRegRoot root, const QString& key, const QString& name) {
  const std::optional<TRegValue> value = TRegistry::Root(root).ReadValue(key, name);
  if (!value || value->Type != TRegValueType::Dword) return std::nullopt;
  return value->Dword;
}

std::optional<QString> ReadText(TRegRoot root, const QString& key, const QString& name) {
  const std::optional<TRegValue> value = TRegistry::Root(root).ReadValue(key, name);
  if (!value || value->Type == TRegValueType::Dword) return std::nullopt;
  return value->Text;
}

// A scheme's flag: true unless "0" or "false" in any case.
bool SchemeFlag(const QString& text) {
  return text != QStringLiteral("0") && text.compare(QStringLiteral("FALSE"), Qt::CaseInsensitive) != 0;
}

// The 16 colours an IDE scheme refers to by index.
std::optional<TColor> PaletteColor(int index) {
  static constexpr TColor palette[16] = {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
                                         clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  if (index < 0 || index > 15) return std::nullopt;
  return palette[index];
}

} // namespace

TCodeHighlighterAttributes::TCodeHighlighterAttributes(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

void TCodeHighlighterAttributes::NotifyChanged() {
  if (OnChange) OnChange(this);
}

void TCodeHighlighterAttributes::SetBackground(TColor color) {
  if (color == background_) return;
  background_ = color;
  NotifyChanged();
}

void TCodeHighlighterAttributes::SetForeground(TColor color) {
  if (color == foreground_) return;
  foreground_ = color;
  NotifyChanged();
}

void TCodeHighlighterAttributes::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  NotifyChanged();
}

void TCodeHighlighterAttributes::RecordDefaults() {
  defaultBackground_ = background_;
  defaultForeground_ = foreground_;
  defaultStyle_ = style_;
}

void TCodeHighlighterAttributes::AssignColorsAndStyle(const TCodeHighlighterAttributes& other) {
  if (background_ == other.background_ && foreground_ == other.foreground_ && style_ == other.style_) return;
  background_ = other.background_;
  foreground_ = other.foreground_;
  style_ = other.style_;
  NotifyChanged();
}

void TCodeHighlighterAttributes::Assign(const TCodeHighlighterAttributes& other) {
  name_ = other.name_;
  AssignColorsAndStyle(other);
}

bool TCodeHighlighterAttributes::SaveToRegistryKey(TRegRoot root, const QString& key) {
  TRegistry& registry = TRegistry::Root(root);
  return registry.CreateKey(key) &&
         registry.WriteValue(key, QStringLiteral("Background"), TRegValue::FromDword(quint32(background_))) &&
         registry.WriteValue(key, QStringLiteral("Foreground"), TRegValue::FromDword(quint32(foreground_))) &&
         registry.WriteValue(key, QStringLiteral("Style"), TRegValue::FromDword(style_));
}

bool TCodeHighlighterAttributes::LoadFromRegistryKey(TRegRoot root, const QString& key) {
  if (!RegistryKeyExists(root, key)) return false;
  if (const auto color = ReadDword(root, key, QStringLiteral("Background"))) SetBackground(TColor(*color));
  if (const auto color = ReadDword(root, key, QStringLiteral("Foreground"))) SetForeground(TColor(*color));
  if (const auto style = ReadDword(root, key, QStringLiteral("Style"))) {
    SetStyle(*style & fsBold);
    for (TFontStyles bit : {fsItalic, fsUnderline, fsStrikeOut})
      if (*style & bit) SetStyle(style_ | bit);
  }
  return true;
}

bool TCodeHighlighterAttributes::ImportIdeScheme(TRegRoot root, const QString& keyPath, const QString& name,
                                                 bool oldFormat) {
  try {
    return oldFormat ? ImportOldFormat(root, keyPath, name) : ImportNewFormat(root, SubKey(keyPath, name));
  } catch (const std::exception&) {
    return false;
  }
}

bool TCodeHighlighterAttributes::ImportNewFormat(TRegRoot root, const QString& key) {
  if (!RegistryKeyExists(root, key)) return false;
  const auto color = [&](const QString& which) -> std::optional<TColor> {
    if (const auto index = ReadDword(root, key, which + QStringLiteral(" Color"))) return PaletteColor(int(*index));
    if (const auto text = ReadText(root, key, which + QStringLiteral(" Color New"))) return StringToColor(*text);
    return std::nullopt;
  };
  const std::optional<TColor> foreground = color(QStringLiteral("Foreground"));
  const std::optional<TColor> background = color(QStringLiteral("Background"));
  QStringList flags;
  for (const char* flag : {"Bold", "Italic", "Underline", "Default Foreground", "Default Background"}) {
    const std::optional<QString> text = ReadText(root, key, QLatin1String(flag));
    if (!text) return false;
    flags << *text;
  }
  if (!foreground || !background) return false;
  SetBackground(SchemeFlag(flags[4]) ? clWindow : *background);
  SetForeground(SchemeFlag(flags[3]) ? clWindowText : *foreground);
  TFontStyles style = 0;
  if (SchemeFlag(flags[0])) style |= fsBold;
  if (SchemeFlag(flags[1])) style |= fsItalic;
  if (SchemeFlag(flags[2])) style |= fsUnderline;
  SetStyle(style);
  return true;
}

bool TCodeHighlighterAttributes::ImportOldFormat(TRegRoot root, const QString& keyPath, const QString& name) {
  if (!RegistryKeyExists(root, keyPath)) return false;
  const std::optional<QString> text = ReadText(root, keyPath, name);
  if (!text) return false;
  const QStringList fields = text->split(u',');
  if (fields.size() < 7) return false;
  bool okFg = false, okBg = false;
  const std::optional<TColor> foreground = PaletteColor(fields[5].trimmed().toInt(&okFg));
  const std::optional<TColor> background = PaletteColor(fields[6].trimmed().toInt(&okBg));
  const bool defaultForeground = fields[3].trimmed() == QStringLiteral("1");
  const bool defaultBackground = fields[4].trimmed() == QStringLiteral("1");
  if ((!defaultForeground && !(okFg && foreground)) || (!defaultBackground && !(okBg && background))) return false;
  SetBackground(defaultBackground ? clWindow : *background);
  SetForeground(defaultForeground ? clWindowText : *foreground);
  TFontStyles style = 0;
  if (fields[2].contains(u'B')) style |= fsBold;
  if (fields[2].contains(u'I')) style |= fsItalic;
  if (fields[2].contains(u'U')) style |= fsUnderline;
  SetStyle(style);
  return true;
}

TCodeCharSet TCodeCustomHighlighter::DefaultWordBreakChars() {
  return TCodeCharSet{'!', '"', '\'', '(', ')', '*',  '+', ',', '-', '.', '/',
                      ':', ';', '=',  '?', '[', '\\', ']', '^', '{', '|', '}'};
}

TCodeCharSet TCodeCustomHighlighter::DefaultIdentifierChars() {
  return TCodeCharSet::Range('0', '9')
      .IncludeRange('A', 'Z')
      .Include('_')
      .IncludeRange('a', 'z')
      .IncludeRange(192, 214)
      .IncludeRange(216, 246)
      .IncludeRange(248, 255)
      .IncludeCodePageLetters()
      .IncludeForeignLetters();
}

TCodeCustomHighlighter::TCodeCustomHighlighter(QObject* owner)
    : QObject(owner), wordBreakSet_(DefaultWordBreakChars()) {}

TCodeCustomHighlighter::~TCodeCustomHighlighter() { FreeAttributes(); }

TCodeHighlighterAttributes* TCodeCustomHighlighter::AttributeAt(int index) const {
  return index >= 0 && index < AttributeCount() ? attributes_[index].get() : nullptr;
}

TCodeCharSet TCodeCustomHighlighter::IdentifierChars() const {
  return TCodeCharSet::Range(33, 255).IncludeForeignLetters().IncludeForeignOthers();
}

void TCodeCustomHighlighter::AddAttribute(TCodeHighlighterAttributes* attribute) {
  std::unique_ptr<TCodeHighlighterAttributes> owned(attribute);
  const auto before = [](const std::unique_ptr<TCodeHighlighterAttributes>& a, const QString& name) {
    return a->Name().compare(name, Qt::CaseInsensitive) < 0;
  };
  const auto at = std::lower_bound(attributes_.begin(), attributes_.end(), attribute->Name(), before);
  if (at != attributes_.end() && (*at)->Name().compare(attribute->Name(), Qt::CaseInsensitive) == 0)
    throw EListError(QStringLiteral("String list does not allow duplicates"));
  attributes_.insert(at, std::move(owned));
}

void TCodeCustomHighlighter::FreeAttributes() { attributes_.clear(); }

void TCodeCustomHighlighter::BindAttributes() {
  for (auto it = attributes_.rbegin(); it != attributes_.rend(); ++it) {
    (*it)->OnChange = [this](TCodeHighlighterAttributes* sender) { NotifyHighlightChange(sender); };
    (*it)->RecordDefaults();
  }
}

void TCodeCustomHighlighter::NotifyHighlightChange(QObject* sender) { changeChain_.Fire(sender); }

void TCodeCustomHighlighter::HookChange(const void* listener, TCodeNotifyEventChain::TNotifyEvent event) {
  changeChain_.Add(listener, std::move(event));
}

void TCodeCustomHighlighter::UnhookChange(const void* listener) { changeChain_.Remove(listener); }

void TCodeCustomHighlighter::SkipToLineEnd() {
  while (!AtLineEnd())
    NextToken();
}

void TCodeCustomHighlighter::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyHighlightChange(nullptr);
}

bool TCodeCustomHighlighter::SaveAttributesToRegistry(TRegRoot root, const QString& key) {
  if (!TRegistry::Root(root).CreateKey(key)) return false;
  bool all = true;
  for (const auto& attribute : attributes_)
    all = attribute->SaveToRegistryKey(root, SubKey(key, attribute->Name())) && all;
  return all;
}

bool TCodeCustomHighlighter::LoadAttributesFromRegistry(TRegRoot root, const QString& key) {
  if (!RegistryKeyExists(root, key)) return false;
  bool all = true;
  for (const auto& attribute : attributes_)
    all = attribute->LoadFromRegistryKey(root, SubKey(key, attribute->Name())) && all;
  return all;
}

void TCodeCustomHighlighter::Assign(const TCodeCustomHighlighter& source) {
  for (const auto& own : attributes_) {
    for (int i = 0; i < source.AttributeCount(); ++i) {
      if (source.AttributeAt(i)->Name() != own->Name()) continue;
      own->Assign(*source.AttributeAt(i));
      break;
    }
  }
  if (source.metaObject()->inherits(metaObject())) ReplaceSampleSource(source.SampleSource());
  wordBreakSet_ = source.wordBreakSet_;
  SetDefaultFilter(source.DefaultFilter());
  SetEnabled(source.Enabled());
}

namespace {

QList<const QMetaObject*>& ClassList() {
  static QList<const QMetaObject*> classes;
  return classes;
}

} // namespace

void RegisterHighlighterClass(const QMetaObject* highlighterClass) {
  if (!ClassList().contains(highlighterClass)) ClassList().append(highlighterClass);
}

const QList<const QMetaObject*>& HighlighterClasses() { return ClassList(); }
