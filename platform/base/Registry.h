#pragma once
#include <QtCore/QMutex>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <map>
#include <memory>
#include <optional>

// The registry stand-in: a per-user tree of keys with named string and DWORD
// values, kept in one JSON file under the XDG config folder. Key paths are the
// Windows ones ("Software\Vimek\TfrmCClenov"): backslash-separated, compared
// without regard to case, a leading backslash ignored. The value name "" is
// the key's unnamed default value. Every change is written to disk at once,
// atomically, so a crash never leaves a half-written file behind. A damaged
// file reads as far as it can; the first write keeps a copy of it beside the
// file as "<file>.damaged".

enum class TRegRoot { CurrentUser, LocalMachine };

enum class TRegValueType { String, ExpandString, Dword };

struct TRegValue {
  TRegValueType Type = TRegValueType::String;
  QString Text;      // String and ExpandString
  quint32 Dword = 0; // Dword

  static TRegValue String(QString text) { return {TRegValueType::String, std::move(text), 0}; }
  static TRegValue FromDword(quint32 value) { return {TRegValueType::Dword, {}, value}; }
  bool operator==(const TRegValue&) const = default;
};

class TRegistry {
public:
  // The store of a root, in the file RootFilePath(root). Process-wide; a new
  // store is made when the config folder changes (tests point
  // XDG_CONFIG_HOME at a temporary folder).
  static TRegistry& Root(TRegRoot root = TRegRoot::CurrentUser);
  static QString RootFilePath(TRegRoot root);

  explicit TRegistry(QString filePath);
  ~TRegistry();
  const QString& FilePath() const { return filePath_; }

  bool KeyExists(const QString& key) const;
  // Creates the key and its missing parents; false when the file cannot be written.
  bool CreateKey(const QString& key);
  // Removes the key with its sub-keys and values; false when it does not exist.
  bool DeleteKey(const QString& key);

  std::optional<TRegValue> ReadValue(const QString& key, const QString& name) const;
  // Sets a value; the key must exist unless createKey. False when the key is
  // missing or the file cannot be written.
  bool WriteValue(const QString& key, const QString& name, const TRegValue& value, bool createKey = false);
  bool DeleteValue(const QString& key, const QString& name);

  // The sub-key names (as first written) in case-insensitive order; nullopt
  // when the key does not exist.
  std::optional<QStringList> SubKeyNames(const QString& key) const;
  std::optional<QStringList> ValueNames(const QString& key) const;

  // Splits a key path into its names: backslash-separated, empty names dropped.
  static QStringList SplitPath(const QString& key);

  struct TNode;

private:
  const TNode* Find(const QString& key) const;
  TNode* FindOrCreate(const QString& key);
  QString FileStamp() const;
  void ReloadIfChanged() const;
  template <class Change> bool Modify(Change change);
  bool Save();

  QString filePath_;
  mutable QMutex mutex_;
  mutable std::unique_ptr<TNode> root_;
  mutable QString loadedStamp_;
  mutable bool loaded_ = false;
  // The file last read held what could not be read; kept aside before a save.
  mutable bool damaged_ = false;
};
