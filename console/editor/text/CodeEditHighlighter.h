#pragma once
#include "console/editor/text/CodeEditCharSet.h"
#include "console/editor/text/CodeEditFontStyle.h"
#include "console/editor/text/CodeEditMethodChain.h"
#include "core/Color.h"
#include "platform/base/Registry.h"
#include <QtCore/QObject>
#include <QtCore/QStringList>
#include <memory>
#include <vector>

// The look of one kind of token: background, foreground (clNone: the editor's
// own) and font style. Every write that changes a value notifies OnChange;
// RecordDefaults keeps the current values as the defaults.
class TCodeHighlighterAttributes : public QObject {
  Q_OBJECT
public:
  explicit TCodeHighlighterAttributes(QString name, QObject* parent = nullptr);

  const QString& Name() const { return name_; }
  TColor Background() const { return background_; }
  TColor Foreground() const { return foreground_; }
  TFontStyles Style() const { return style_; }
  void SetBackground(TColor color);
  void SetForeground(TColor color);
  void SetStyle(TFontStyles style);
  TColor DefaultBackground() const { return defaultBackground_; }
  TColor DefaultForeground() const { return defaultForeground_; }
  TFontStyles DefaultStyle() const { return defaultStyle_; }
  void RecordDefaults();

  // Copies colours and style with one notice when anything differed.
  void AssignColorsAndStyle(const TCodeHighlighterAttributes& other);
  // The name too.
  void Assign(const TCodeHighlighterAttributes& other);

  // "Background", "Foreground" and "Style" (bold 1, italic 2, underline 4,
  // strike-out 8) in the key; false when the key cannot be opened. Loading
  // takes only the values the key has.
  bool LoadFromRegistryKey(TRegRoot root, const QString& key);
  bool SaveToRegistryKey(TRegRoot root, const QString& key);
  // Takes colours and style from an IDE's colour scheme (the new format: a
  // key per attribute; the old one: a value of seven comma-separated fields);
  // false, changing nothing, when anything is missing or unreadable.
  bool ImportIdeScheme(TRegRoot root, const QString& keyPath, const QString& name, bool oldFormat);

  std::function<void(TCodeHighlighterAttributes* sender)> OnChange;
  void NotifyChanged();

private:
  bool ImportNewFormat(TRegRoot root, const QString& key);
  bool ImportOldFormat(TRegRoot root, const QString& keyPath, const QString& name);

  TColor background_ = clNone;
  TColor defaultBackground_ = clNone;
  TColor foreground_ = clNone;
  TColor defaultForeground_ = clNone;
  QString name_;
  TFontStyles style_ = 0;
  TFontStyles defaultStyle_ = 0;
};

// A highlighter splits one line at a time into tokens and gives each token an
// attribute; its range (an integer, 0 at the start of the text) carries what
// spans lines. To scan line n: RestoreRange with the range kept after line
// n-1 (ClearRange for the first), StartLine, then TokenStart/TokenText/
// TokenKind/TokenAttribute and NextToken until AtLineEnd; CurrentRange is
// then the range to keep with the line. Editors hook themselves to hear of
// changes of attributes, keywords and Enabled.
class TCodeCustomHighlighter : public QObject {
  Q_OBJECT
public:
  enum TCapability { hcUserSettings = 1, hcRegistry = 2 };
  // Roles of DefaultAttribute.
  enum TDefaultRole { drComment, drIdentifier, drKeyword, drString, drWhitespace, drSymbol };

  explicit TCodeCustomHighlighter(QObject* owner = nullptr);
  ~TCodeCustomHighlighter() override;

  virtual int AttributeCount() const { return int(attributes_.size()); }
  // In name order; none outside 0..count-1.
  virtual TCodeHighlighterAttributes* AttributeAt(int index) const;
  virtual TCodeHighlighterAttributes* DefaultAttribute(int role) const = 0;
  virtual QString DefaultFilter() const { return defaultFilter_; }
  virtual TCodeCharSet IdentifierChars() const;
  virtual QString SampleSource() const { return QString(); }
  virtual bool FilterNeedsStoring() const { return true; }
  virtual void SetDefaultFilter(const QString& filter) { defaultFilter_ = filter; }
  virtual void ReplaceSampleSource(const QString&) {}
  virtual void AssignWordBreakChars(const TCodeCharSet& chars) { wordBreakSet_ = chars; }
  virtual int Capabilities() const { return hcRegistry; }
  virtual QString LanguageName() const { return QStringLiteral("<Unknown>"); }
  virtual bool AtLineEnd() const = 0;
  virtual int CurrentRange() const { return 0; }
  virtual QString TokenText() const = 0;
  virtual TCodeHighlighterAttributes* TokenAttribute() const = 0;
  virtual int TokenKind() const = 0;
  virtual int TokenStart() const = 0;
  virtual bool IsKeywordText(const QString&) const { return false; }
  virtual void NextToken() = 0;
  virtual void StartLine(const QString& text, int lineNumber) = 0;
  virtual void RestoreRange(int) {}
  virtual void ClearRange() {}
  virtual bool ApplyUserSettings(int) { return false; }
  virtual void ListUserSettings(QStringList& settings) { settings.clear(); }
  // Sub-keys named after the attributes below the key; true only when every
  // attribute was read (written).
  virtual bool LoadAttributesFromRegistry(TRegRoot root, const QString& key);
  virtual bool SaveAttributesToRegistry(TRegRoot root, const QString& key);
  // Attributes by equal name, the sample source from a highlighter of this
  // class, the word breaks, the filter and Enabled.
  virtual void Assign(const TCodeCustomHighlighter& source);

  // Takes ownership; a name already in the list raises EListError.
  void AddAttribute(TCodeHighlighterAttributes* attribute);
  void FreeAttributes();
  void NotifyHighlightChange(QObject* sender);
  void HookChange(const void* listener, TCodeNotifyEventChain::TNotifyEvent event);
  void UnhookChange(const void* listener);
  void SkipToLineEnd();

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const TCodeCharSet& WordBreakSet() const { return wordBreakSet_; }
  // The 22 characters that end a word.
  static TCodeCharSet DefaultWordBreakChars();
  // Digits, letters (those of code page 1250 and others) and "_".
  static TCodeCharSet DefaultIdentifierChars();

protected:
  // Connects every attribute's change to the listeners and records its defaults.
  void BindAttributes();

private:
  std::vector<std::unique_ptr<TCodeHighlighterAttributes>> attributes_;
  TCodeNotifyEventChain changeChain_;
  bool enabled_ = true;
  TCodeCharSet wordBreakSet_;
  QString defaultFilter_;
};

// The highlighter classes of the program.
void RegisterHighlighterClass(const QMetaObject* highlighterClass);
const QList<const QMetaObject*>& HighlighterClasses();
