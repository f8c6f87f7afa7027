#include "crash/debuginfo/RtPeImage.h"
#include <algorithm>

using namespace RtPe;

std::optional<quint32> NtHeadersOffset(TRtByteView image) {
  if (!image.Contains(0, kDosHeaderSize) || image.U16(0) != kDosSignature) return std::nullopt;
  const quint32 offset = *image.U32(kDosNtOffset);
  if (offset == 0 || !image.Contains(offset, kNtHeadersSize) || image.U32(offset) != kNtSignature) return std::nullopt;
  // Only the 32-bit layout is read; a PE32+ image would be misread by it.
  if (image.U16(offset + kOptionalHeader) != kPe32Magic) return std::nullopt;
  return offset;
}

QList<TRtSectionHeader> ReadSectionHeaders(TRtByteView image, quint32 ntHeaders) {
  QList<TRtSectionHeader> sections;
  const quint32 count = image.U16(ntHeaders + kFileSectionCount).value_or(0);
  const quint64 first = quint64(ntHeaders) + kOptionalHeader + image.U16(ntHeaders + kFileOptionalSize).value_or(0);
  for (quint32 i = 0; i < count; ++i) {
    const quint64 at = first + quint64(i) * kSectionHeaderSize;
    const uchar* header = image.At(at, kSectionHeaderSize);
    if (!header) break;
    TRtSectionHeader section;
    section.Name =
        QByteArray(reinterpret_cast<const char*>(header), qstrnlen(reinterpret_cast<const char*>(header), 8));
    section.VirtualSize = *image.U32(at + 8);
    section.VirtualAddress = *image.U32(at + 12);
    section.SizeOfRawData = *image.U32(at + 16);
    section.PointerToRawData = *image.U32(at + 20);
    section.Characteristics = *image.U32(at + 36);
    section.HeaderOffset = quint32(at);
    sections.append(section);
  }
  return sections;
}

std::optional<TRtSectionHeader> FindSectionHeader(TRtByteView image, quint32 ntHeaders, QByteArrayView name) {
  for (const TRtSectionHeader& section : ReadSectionHeaders(image, ntHeaders))
    if (section.Name == name.first(qMin<qsizetype>(8, name.size()))) return section;
  return std::nullopt;
}

// ---------------------------------------------------------------- image

TRtPeImage::TRtPeImage(bool noExceptions) : noExceptions_(noExceptions) {}

TRtPeImage::~TRtPeImage() = default;

void TRtPeImage::Clear() {
  exportList_.reset();
  resourceList_.reset();
  debugList_.reset();
  sections_.clear();
  loadedImage_ = {};
  image_ = {};
  ntHeaders_ = 0;
  imageFileName_.clear();
  status_ = stNotLoaded;
}

void TRtPeImage::AttachLoadedModule(const TRtModule& module) {
  Clear();
  if (module.IsNull()) return;
  const std::optional<quint32> nt = NtHeadersOffset(module.PeImage());
  if (!nt) {
    status_ = stNotPE;
    RaiseStatusError();
    return;
  }
  status_ = stOk;
  image_ = module.PeImage();
  ntHeaders_ = *nt;
  imageFileName_ = module.FileName;
  sections_ = ReadSectionHeaders(image_, ntHeaders_);
  loadedImage_.ModuleName = module.FileName;
  loadedImage_.MappedAddress = module.Base;
  loadedImage_.NtHeaders = ntHeaders_;
  loadedImage_.SectionCount = int(sections_.size());
  loadedImage_.FirstSection = sections_.isEmpty() ? 0 : sections_.first().HeaderOffset;
  loadedImage_.LastRvaSection = loadedImage_.FirstSection;
  loadedImage_.Characteristics = image_.U16(ntHeaders_ + kFileCharacteristics).value_or(0);
  loadedImage_.SystemImage = (loadedImage_.Characteristics & 0x1000) != 0;
  loadedImage_.SizeOfImage = image_.U32(ntHeaders_ + kOptSizeOfImage).value_or(0);
  AfterOpen();
}

void TRtPeImage::RaiseStatusError() const {
  if (noExceptions_) return;
  switch (status_) {
  case stNotPE:
    throw ERtPeImageError(QStringLiteral("This is not a PE format"));
  case stCannotOpen:
    throw ERtPeImageError(QStringLiteral("Cannot open file \"%1\"").arg(imageFileName_));
  case stError:
    throw ERtPeImageError(QStringLiteral("A system function failed"));
  default:
    break;
  }
}

TRtDataDirectory TRtPeImage::Directory(int index) const {
  if (!StatusOK() || index < 0 || quint32(index) >= image_.U32(ntHeaders_ + kOptDirectoryCount).value_or(0) ||
      index >= 16)
    return {};
  const quint32 at = ntHeaders_ + kOptDirectories + quint32(index) * 8;
  return {image_.U32(at).value_or(0), image_.U32(at + 4).value_or(0)};
}

TRtByteView TRtPeImage::DirectoryData(int index) const {
  const TRtDataDirectory directory = Directory(index);
  if (directory.VirtualAddress == 0 || !image_.Contains(directory.VirtualAddress, directory.Size)) return {};
  return image_.Sub(directory.VirtualAddress, directory.Size);
}

std::optional<TRtSectionHeader> TRtPeImage::RvaToSection(quint32 rva) const {
  for (const TRtSectionHeader& section : sections_)
    if (rva >= section.VirtualAddress && quint64(rva) < quint64(section.VirtualAddress) + section.SizeOfRawData)
      return section;
  for (const TRtSectionHeader& section : sections_) {
    const quint32 size = section.SizeOfRawData ? section.SizeOfRawData : section.VirtualSize;
    if (rva >= section.VirtualAddress && quint64(rva) <= quint64(section.VirtualAddress) + size) return section;
  }
  return std::nullopt;
}

QByteArray TRtPeImage::SectionNameOfRva(quint32 rva) const {
  const std::optional<TRtSectionHeader> section = RvaToSection(rva);
  return section ? section->Name : QByteArray();
}

std::optional<TRtSectionHeader> TRtPeImage::SectionHeaderByName(QByteArrayView name) const {
  for (const TRtSectionHeader& section : sections_)
    if (section.Name == name) return section;
  return std::nullopt;
}

TRtPeExportFuncList& TRtPeImage::ExportList() {
  if (!exportList_) exportList_ = std::make_unique<TRtPeExportFuncList>(*this);
  return *exportList_;
}

TRtPeRootResourceList& TRtPeImage::ResourceList() {
  if (!resourceList_) resourceList_ = std::make_unique<TRtPeRootResourceList>(*this);
  return *resourceList_;
}

TRtPeDebugList& TRtPeImage::DebugList() {
  if (!debugList_) debugList_ = std::make_unique<TRtPeDebugList>(*this);
  return *debugList_;
}

// ---------------------------------------------------------------- exports

TRtPeExportFuncList::TRtPeExportFuncList(TRtPeImage& image) : TRtPeImageBaseList(image) {
  if (image.StatusOK()) Read();
}

void TRtPeExportFuncList::Read() {
  const TRtByteView image = Image().Image();
  const TRtDataDirectory directory = Image().Directory(kDirectoryExport);
  if (directory.VirtualAddress == 0 || !image.Contains(directory.VirtualAddress, 40)) return;
  const quint32 at = directory.VirtualAddress;
  ordinalBase_ = *image.U32(at + 16);
  functionCount_ = *image.U32(at + 20);
  const quint32 nameCount = *image.U32(at + 24);
  const quint32 functions = *image.U32(at + 28), names = *image.U32(at + 32), ordinals = *image.U32(at + 36);
  const quint64 directoryEnd = quint64(directory.VirtualAddress) + directory.Size;
  for (quint32 i = 0; i < nameCount; ++i) {
    const std::optional<quint16> ordinal = image.U16(ordinals + quint64(i) * 2);
    const std::optional<quint32> nameRva = image.U32(names + quint64(i) * 4);
    // A table that runs out of the image ends the list.
    if (!ordinal || !nameRva) break;
    const std::optional<quint32> address =
        *ordinal < functionCount_ ? image.U32(functions + quint64(*ordinal) * 4) : std::nullopt;
    const std::optional<QByteArray> name = image.CString(*nameRva);
    if (!address || !name) continue;
    TRtPeExportFuncItem item;
    item.Ordinal = quint16(*ordinal + ordinalBase_);
    item.Address = *address;
    item.Hint = int(i);
    item.Name = *name;
    if (*address >= directory.VirtualAddress && *address <= directoryEnd) {
      item.ForwardTarget = image.CString(*address).value_or(QByteArray(""));
      hasForwarded_ = true;
    }
    items_.push_back(std::move(item));
  }
}

void TRtPeExportFuncList::Sort(TSortType type, bool descending) {
  if (sorted_ && sortType_ == type && descending_ == descending) return;
  const TRtPeImage& image = Image();
  // The text keys are made once per export, not once per comparison.
  std::vector<QByteArray> keys(items_.size());
  for (size_t i = 0; i < items_.size(); ++i) {
    const TRtPeExportFuncItem& item = items_[i];
    if (type == esForwarded)
      keys[i] = item.ForwardTarget;
    else if (type == esAddressOrForwarded)
      keys[i] = item.IsForwarded() ? item.ForwardTarget : QByteArray::number(item.Address, 16).rightJustified(8, '0');
    else if (type == esSection)
      keys[i] = item.IsForwarded() ? QByteArray() : image.SectionNameOfRva(item.Address);
  }
  // Negative, zero or positive as item a lies before, with or after item b.
  auto compare = [&](size_t a, size_t b) -> int {
    const TRtPeExportFuncItem &x = items_[a], &y = items_[b];
    const int byName = x.Name.compare(y.Name);
    switch (type) {
    case esName:
      return byName;
    case esOrdinal:
      return int(x.Ordinal) - int(y.Ordinal);
    case esHint:
      return x.Hint - y.Hint;
    case esAddress:
      return x.Address != y.Address ? (x.Address < y.Address ? -1 : 1) : byName;
    case esAddressOrForwarded:
      return keys[a].compare(keys[b]);
    case esForwarded:
    case esSection: {
      const int order = keys[a].compare(keys[b]);
      return order ? order : byName;
    }
    }
    return 0;
  };
  std::vector<size_t> order(items_.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return descending ? compare(b, a) < 0 : compare(a, b) < 0; });
  std::vector<TRtPeExportFuncItem> sorted;
  sorted.reserve(items_.size());
  for (size_t index : order)
    sorted.push_back(std::move(items_[index]));
  items_ = std::move(sorted);
  sortType_ = type;
  descending_ = descending;
  sorted_ = true;
}

// ---------------------------------------------------------------- resources

TRtPeResourceItem::TRtPeResourceItem(TRtPeImage& image, TRtPeResourceList* parentList, quint32 nameField,
                                     quint32 dataField)
    : image_(image), parentList_(parentList), nameField_(nameField), dataField_(dataField) {}

TRtPeResourceItem::~TRtPeResourceItem() = default;

int TRtPeResourceItem::Level() const {
  const TRtPeResourceItem* parent = parentList_->ParentItem();
  return parent ? parent->Level() + 1 : 1;
}

QString TRtPeResourceItem::Name() const {
  if (name_) return *name_;
  if (!IsNamed()) {
    name_ = QString::number(nameField_);
    return *name_;
  }
  const TRtByteView resources = image_.DirectoryData(kDirectoryResource);
  const quint32 at = nameField_ & 0x7FFFFFFFu;
  const quint16 length = resources.U16(at).value_or(0);
  const uchar* text = resources.At(quint64(at) + 2, quint64(length) * 2);
  QString name;
  for (quint16 i = 0; text && i < length; ++i) {
    const char16_t ch = char16_t(text[2 * i] | (text[2 * i + 1] << 8));
    if (ch == 0) break;
    name.append(QChar(ch));
  }
  name_ = name;
  return name;
}

TRtPeResourceList* TRtPeResourceItem::List() {
  if (!IsSubdirectory()) {
    if (!image_.NoExceptions()) throw ERtPeImageError(QStringLiteral("Not a resource directory"));
    return nullptr;
  }
  if (!list_) list_ = std::make_unique<TRtPeResourceList>(image_, DataOffset(), this);
  return list_.get();
}

int TRtPeResourceItem::ResourceType() const {
  const TRtPeResourceItem* top = this;
  while (top->parentList_->ParentItem())
    top = top->parentList_->ParentItem();
  if (top->IsNamed() || top->nameField_ > 24) return kResourceUserDefined;
  return int(top->nameField_);
}

TRtPeResourceList::TRtPeResourceList(TRtPeImage& image, quint32 directoryOffset, TRtPeResourceItem* parentItem)
    : TRtPeImageBaseList(image), parentItem_(parentItem) {
  const TRtByteView resources = image.DirectoryData(kDirectoryResource);
  if (!resources.Contains(directoryOffset, 16)) return;
  const quint32 count = quint32(*resources.U16(directoryOffset + 12)) + *resources.U16(directoryOffset + 14);
  for (quint32 i = 0; i < count; ++i) {
    const quint64 at = quint64(directoryOffset) + 16 + quint64(i) * 8;
    if (!resources.Contains(at, 8)) break;
    items_.push_back(std::make_unique<TRtPeResourceItem>(image, this, *resources.U32(at), *resources.U32(at + 4)));
  }
}

TRtPeResourceList::~TRtPeResourceList() = default;

TRtPeRootResourceList::TRtPeRootResourceList(TRtPeImage& image) : TRtPeResourceList(image, 0, nullptr) {}

TRtPeResourceItem* TRtPeRootResourceList::FindResource(int type, const QString& name) {
  for (int i = 0; i < Count(); ++i) {
    TRtPeResourceItem& item = Items(i);
    if (item.ResourceType() != type) continue;
    if (name.isEmpty()) return &item;
    // A type entry that is no directory has no names below it.
    if (!item.IsSubdirectory()) return nullptr;
    TRtPeResourceList* names = item.List();
    for (int j = 0; names && j < names->Count(); ++j)
      if (names->Items(j).Name() == name) return &names->Items(j);
    return nullptr;
  }
  return nullptr;
}

// ---------------------------------------------------------------- debug directory

TRtPeDebugList::TRtPeDebugList(TRtPeImage& image) : TRtPeImageBaseList(image) {
  if (!image.StatusOK()) return;
  const TRtDataDirectory directory = image.Directory(kDirectoryDebug);
  if (directory.VirtualAddress == 0) return;
  quint64 count = 0;
  const std::optional<TRtSectionHeader> debug = image.SectionHeaderByName(".debug");
  if (debug && debug->VirtualAddress == directory.VirtualAddress)
    count = directory.Size; // this layout stores the entry count as the size
  else if (image.SectionHeaderByName(".rdata"))
    count = directory.Size / kDebugEntrySize;
  const TRtByteView data = image.Image();
  for (quint64 i = 0; i < count; ++i) {
    const quint64 at = directory.VirtualAddress + i * kDebugEntrySize;
    if (!data.Contains(at, kDebugEntrySize)) break;
    TRtPeDebugEntry entry;
    entry.Characteristics = *data.U32(at);
    entry.TimeDateStamp = *data.U32(at + 4);
    entry.MajorVersion = *data.U16(at + 8);
    entry.MinorVersion = *data.U16(at + 10);
    entry.Type = *data.U32(at + 12);
    entry.SizeOfData = *data.U32(at + 16);
    entry.AddressOfRawData = *data.U32(at + 20);
    entry.PointerToRawData = *data.U32(at + 24);
    entries_.push_back(entry);
  }
}

// ---------------------------------------------------------------- package image

void TRtPePackageImage::AfterOpen() {
  TRtPeRootResourceList& resources = ResourceList();
  const bool hasLicence = resources.FindResource(kResourceRcData, QStringLiteral("DVCLAL")) != nullptr;
  isPackage_ = resources.FindResource(kResourceRcData, QStringLiteral("PACKAGEINFO")) != nullptr &&
               resources.FindResource(kResourceRcData, QStringLiteral("PACKAGEOPTIONS")) != nullptr;
  isToolchainImage_ = hasLicence || isPackage_;
}

void TRtPePackageImage::Clear() {
  TRtPeImage::Clear();
  isPackage_ = false;
  isToolchainImage_ = false;
}

// ---------------------------------------------------------------- section stream

namespace {

std::optional<TRtSectionHeader> ModuleSection(const TRtModule& module, QByteArrayView sectionName) {
  const std::optional<quint32> nt = NtHeadersOffset(module.PeImage());
  return nt ? FindSectionHeader(module.PeImage(), *nt, sectionName) : std::nullopt;
}

TRtByteView SectionData(const TRtModule& module, const TRtSectionHeader& section) {
  return module.PeImage().Sub(section.VirtualAddress, qMin(section.SizeOfRawData, section.VirtualSize));
}

} // namespace

TRtByteView PeSectionData(const TRtModule& module, QByteArrayView sectionName) {
  const std::optional<TRtSectionHeader> section = ModuleSection(module, sectionName);
  return section ? SectionData(module, *section) : TRtByteView();
}

TRtPeSectionStream::TRtPeSectionStream(const TRtModule& module, QByteArrayView sectionName) {
  if (!NtHeadersOffset(module.PeImage())) throw ERtPeImageError(QStringLiteral("This is not a PE format"));
  const std::optional<TRtSectionHeader> section = ModuleSection(module, sectionName);
  if (!section) throw ERtPeImageError(QStringLiteral("Section \"%1\" not found").arg(QString::fromLatin1(sectionName)));
  header_ = *section;
  data_ = SectionData(module, *section);
}

void TRtPeSectionStream::Write(const void*, qint64) {
  throw ERtPeImageError(QStringLiteral("Nie je možné zapísať do \"resource stream\"-u, ktoý je Read Only"));
}

// ---------------------------------------------------------------- export names

namespace {

bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || (c >= '0' && c <= '9'); }

constexpr qsizetype kMaxExportNameText = 1024;

// Reads the mangled part after the leading "@".
class TExportNameReader {
public:
  TExportNameReader(QByteArrayView name, TRtExportName& result) : name_(name), result_(result) {}

  bool Read() {
    if (At(0) == '$') return ReadTypeInfo();
    if (!IsIdentifierStart(At(0))) return false;
    return ReadQualifiedName();
  }

private:
  // The character at the offset from the position; NUL past the end.
  char At(qsizetype offset) const { return pos_ + offset < name_.size() ? name_[pos_ + offset] : '\0'; }

  bool Put(char c) {
    if (result_.Text.size() >= kMaxExportNameText) return false;
    result_.Text.append(QLatin1Char(c));
    return true;
  }
  bool PutSeparator() {
    if (!qualified_) result_.BasePosition = int(result_.Text.size()) + 2;
    qualified_ = true;
    return Put('.');
  }

  // "$xp$", a decimal length and that many characters of a type's name.
  bool ReadTypeInfo() {
    if (name_.size() - pos_ < 4 || name_.sliced(pos_, 4) != QByteArrayView("$xp$")) return false;
    pos_ += 4;
    qsizetype length = 0;
    while (At(0) >= '0' && At(0) <= '9') {
      length = length * 10 + (At(0) - '0');
      if (length > kMaxExportNameText) return false;
      ++pos_;
    }
    result_.Kind = TRtExportName::ekTypeInfo;
    for (qsizetype i = 0; i < length && At(0) != '\0'; ++i, ++pos_)
      if (!(At(0) == '@' ? PutSeparator() : Put(At(0)))) return false;
    return true;
  }

  bool ReadQualifiedName() {
    for (;;) {
      if (At(0) == '@') {
        ++pos_;
        if (qualified_) atMark_ = true;
      }
      while (IsIdentifierChar(At(0))) {
        if (!Put(At(0))) return false;
        ++pos_;
      }
      if (At(0) == '$') return Finish(TRtExportName::ekFunction);
      if (At(0) != '@') return Finish(TRtExportName::ekData);
      if (At(1) == '\0') return Finish(TRtExportName::ekVirtualTable);
      if (At(1) == '$') {
        if (At(2) == 'b' && (At(3) == 'c' || At(3) == 'd'))
          return Finish(At(3) == 'c' ? TRtExportName::ekConstructor : TRtExportName::ekDestructor);
        return Finish(TRtExportName::ekFunction);
      }
      ++pos_;
      if (!PutSeparator()) return false;
    }
  }

  bool Finish(TRtExportName::TKind kind) {
    result_.Kind = kind;
    return true;
  }

public:
  int Flags() const { return (qualified_ ? TRtExportName::efQualified : 0) | (atMark_ ? TRtExportName::efAtMark : 0); }

private:
  QByteArrayView name_;
  TRtExportName& result_;
  qsizetype pos_ = 0;
  bool qualified_ = false;
  bool atMark_ = false;
};

} // namespace

TRtExportName ReadExportName(QByteArrayView name) {
  TRtExportName result;
  const char first = name.isEmpty() ? '\0' : name[0];
  if (first == '@')
    result.Result = TRtExportName::enMangled;
  else if (IsIdentifierStart(first))
    result.Result = TRtExportName::enPlain;
  else if (first == '?')
    result.Result = TRtExportName::enOtherMangling;
  else
    result.Result = TRtExportName::enError;
  if (result.Result != TRtExportName::enMangled) return result;
  TExportNameReader reader(name.sliced(1), result);
  if (!reader.Read()) {
    result.Result = TRtExportName::enError;
    return result;
  }
  result.Flags = reader.Flags();
  return result;
}
