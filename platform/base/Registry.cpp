#include "platform/base/Registry.h"
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QLockFile>
#include <QtCore/QMutexLocker>
#include <QtCore/QSaveFile>
#include <QtCore/QStandardPaths>
#include <sys/stat.h>

struct TRegistry::TNode {
  QString Name;
  std::map<QString, std::pair<QString, TRegValue>> Values; // folded name -> (name, value)
  std::map<QString, TNode> Keys;                           // folded name -> node
};

namespace {

QString Fold(const QString& name) { return name.toCaseFolded(); }

const char* TypeName(TRegValueType type) {
  switch (type) {
  case TRegValueType::String:
    return "sz";
  case TRegValueType::ExpandString:
    return "expand_sz";
  case TRegValueType::Dword:
    return "dword";
  }
  return "sz";
}

QJsonObject ToJson(const TRegistry::TNode& node) {
  QJsonObject values;
  for (const auto& [folded, entry] : node.Values) {
    const TRegValue& value = entry.second;
    QJsonObject item{{QStringLiteral("type"), QLatin1String(TypeName(value.Type))}};
    if (value.Type == TRegValueType::Dword)
      item.insert(QStringLiteral("data"), double(value.Dword));
    else
      item.insert(QStringLiteral("data"), value.Text);
    values.insert(entry.first, item);
  }
  QJsonObject keys;
  for (const auto& [folded, child] : node.Keys)
    keys.insert(child.Name, ToJson(child));
  return {{QStringLiteral("values"), values}, {QStringLiteral("keys"), keys}};
}

std::optional<TRegValue> ValueFromJson(const QJsonObject& item) {
  const QString type = item.value(QStringLiteral("type")).toString();
  const QJsonValue data = item.value(QStringLiteral("data"));
  if (type == QLatin1String("dword") && data.isDouble()) {
    const double number = data.toDouble();
    if (number < 0 || number > 4294967295.0) return std::nullopt;
    return TRegValue::FromDword(quint32(number));
  }
  if (type == QLatin1String("sz") && data.isString()) return TRegValue::String(data.toString());
  if (type == QLatin1String("expand_sz") && data.isString())
    return TRegValue{TRegValueType::ExpandString, data.toString(), 0};
  return std::nullopt;
}

// Reads a node leniently: entries of an unknown shape are skipped, so one bad
// entry never costs the rest of the user's settings. False when one was skipped.
bool FromJson(const QJsonObject& object, TRegistry::TNode& node) {
  bool whole = true;
  const QJsonObject values = object.value(QStringLiteral("values")).toObject();
  for (auto it = values.begin(); it != values.end(); ++it) {
    const auto value = ValueFromJson(it.value().toObject());
    if (value)
      node.Values[Fold(it.key())] = {it.key(), *value};
    else
      whole = false;
  }
  const QJsonObject keys = object.value(QStringLiteral("keys")).toObject();
  for (auto it = keys.begin(); it != keys.end(); ++it) {
    if (it.key().isEmpty() || it.key().contains(QLatin1Char('\\')) || !it.value().isObject()) {
      whole = false;
      continue;
    }
    TRegistry::TNode& child = node.Keys[Fold(it.key())];
    child.Name = it.key();
    whole = FromJson(it.value().toObject(), child) && whole;
  }
  return whole;
}

QString RootFileName(TRegRoot root) {
  return root == TRegRoot::CurrentUser ? QStringLiteral("registry-user.json") : QStringLiteral("registry-machine.json");
}

} // namespace

QString TRegistry::RootFilePath(TRegRoot root) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Vimek/") +
         RootFileName(root);
}

TRegistry& TRegistry::Root(TRegRoot root) {
  static QMutex mutex;
  static std::map<QString, std::unique_ptr<TRegistry>> stores;
  QMutexLocker lock(&mutex);
  const QString path = RootFilePath(root);
  auto& store = stores[path];
  if (!store) store = std::make_unique<TRegistry>(path);
  return *store;
}

TRegistry::TRegistry(QString filePath) : filePath_(std::move(filePath)), root_(std::make_unique<TNode>()) {}

TRegistry::~TRegistry() = default;

QStringList TRegistry::SplitPath(const QString& key) { return key.split(QLatin1Char('\\'), Qt::SkipEmptyParts); }

// Identifies one version of the file. Every save renames a new file into
// place, so the inode changes even when two saves fall in one clock tick.
QString TRegistry::FileStamp() const {
  struct stat info {};
  if (::stat(QFile::encodeName(filePath_).constData(), &info) != 0) return {};
  return QStringLiteral("%1:%2:%3.%4")
      .arg(info.st_ino)
      .arg(info.st_size)
      .arg(info.st_mtim.tv_sec)
      .arg(info.st_mtim.tv_nsec);
}

void TRegistry::ReloadIfChanged() const {
  const QString stamp = FileStamp();
  if (loaded_ && stamp == loadedStamp_) return;
  auto fresh = std::make_unique<TNode>();
  damaged_ = false;
  QFile file(filePath_);
  if (file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    QJsonParseError error;
    const QJsonValue root = QJsonDocument::fromJson(bytes, &error).object().value(QStringLiteral("root"));
    const bool whole = FromJson(root.toObject(), *fresh);
    damaged_ = !bytes.isEmpty() && (error.error != QJsonParseError::NoError || !root.isObject() || !whole);
  }
  root_ = std::move(fresh);
  loadedStamp_ = stamp;
  loaded_ = true;
}

const TRegistry::TNode* TRegistry::Find(const QString& key) const {
  const TNode* node = root_.get();
  for (const QString& name : SplitPath(key)) {
    auto it = node->Keys.find(Fold(name));
    if (it == node->Keys.end()) return nullptr;
    node = &it->second;
  }
  return node;
}

TRegistry::TNode* TRegistry::FindOrCreate(const QString& key) {
  TNode* node = root_.get();
  for (const QString& name : SplitPath(key)) {
    TNode& child = node->Keys[Fold(name)];
    if (child.Name.isEmpty()) child.Name = name;
    node = &child;
  }
  return node;
}

// Applies a change to the freshly read tree under the file lock, so that two
// processes writing at once lose neither's values; saves when it changed anything.
template <class Change> bool TRegistry::Modify(Change change) {
  QMutexLocker lock(&mutex_);
  QDir().mkpath(QFileInfo(filePath_).absolutePath());
  QLockFile fileLock(filePath_ + QStringLiteral(".lock"));
  if (!fileLock.tryLock(5000)) return false;
  loaded_ = false; // another process may have written since the last read
  ReloadIfChanged();
  if (!change()) return false;
  return Save();
}

bool TRegistry::Save() {
  // What could not be read stays in a copy beside the file, for the user to
  // mend; the new file holds only what was read.
  if (damaged_) {
    const QString copy = filePath_ + QStringLiteral(".damaged");
    QFile::remove(copy);
    if (!QFile::copy(filePath_, copy)) return false;
    damaged_ = false;
  }
  QSaveFile file(filePath_);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QJsonObject document{{QStringLiteral("format"), QStringLiteral("Vimek registry 1")},
                             {QStringLiteral("root"), ToJson(*root_)}};
  file.write(QJsonDocument(document).toJson(QJsonDocument::Indented));
  if (!file.commit()) {
    loaded_ = false; // memory and file differ: read the file again next time
    return false;
  }
  loadedStamp_ = FileStamp();
  return true;
}

bool TRegistry::KeyExists(const QString& key) const {
  QMutexLocker lock(&mutex_);
  ReloadIfChanged();
  return Find(key) != nullptr;
}

bool TRegistry::CreateKey(const QString& key) {
  return Modify([&] {
    FindOrCreate(key);
    return true;
  });
}

bool TRegistry::DeleteKey(const QString& key) {
  const QStringList names = SplitPath(key);
  if (names.isEmpty()) return false;
  return Modify([&] {
    TNode* parent = const_cast<TNode*>(Find(names.mid(0, names.size() - 1).join(QLatin1Char('\\'))));
    return parent && parent->Keys.erase(Fold(names.last())) > 0;
  });
}

std::optional<TRegValue> TRegistry::ReadValue(const QString& key, const QString& name) const {
  QMutexLocker lock(&mutex_);
  ReloadIfChanged();
  const TNode* node = Find(key);
  if (!node) return std::nullopt;
  auto it = node->Values.find(Fold(name));
  if (it == node->Values.end()) return std::nullopt;
  return it->second.second;
}

bool TRegistry::WriteValue(const QString& key, const QString& name, const TRegValue& value, bool createKey) {
  return Modify([&] {
    TNode* node = createKey ? FindOrCreate(key) : const_cast<TNode*>(Find(key));
    if (!node) return false;
    auto& entry = node->Values[Fold(name)];
    if (entry.first.isEmpty()) entry.first = name;
    entry.second = value;
    return true;
  });
}

bool TRegistry::DeleteValue(const QString& key, const QString& name) {
  return Modify([&] {
    TNode* node = const_cast<TNode*>(Find(key));
    return node && node->Values.erase(Fold(name)) > 0;
  });
}

std::optional<QStringList> TRegistry::SubKeyNames(const QString& key) const {
  QMutexLocker lock(&mutex_);
  ReloadIfChanged();
  const TNode* node = Find(key);
  if (!node) return std::nullopt;
  QStringList names;
  for (const auto& [folded, child] : node->Keys)
    names.append(child.Name);
  return names;
}

std::optional<QStringList> TRegistry::ValueNames(const QString& key) const {
  QMutexLocker lock(&mutex_);
  ReloadIfChanged();
  const TNode* node = Find(key);
  if (!node) return std::nullopt;
  QStringList names;
  for (const auto& [folded, entry] : node->Values)
    names.append(entry.first);
  return names;
}
