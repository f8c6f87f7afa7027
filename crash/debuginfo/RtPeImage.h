#pragma once
#include "core/Exception.h"
#include "crash/debuginfo/RtModules.h"
#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QString>
#include <memory>
#include <optional>
#include <vector>

// Reading the Portable Executable structures of an image laid out in memory
// (field layouts of the published PE/COFF format). Every structure is read
// through the image's byte view; data that points outside the image reads
// as missing.

class ERtPeImageError : public Exception {
public:
  using Exception::Exception;
};

namespace RtPe {
constexpr quint16 kDosSignature = 0x5A4D; // "MZ"
constexpr quint32 kNtSignature = 0x4550;  // "PE\0\0"
constexpr quint16 kPe32Magic = 0x10B;
constexpr quint32 kDosHeaderSize = 64;
constexpr quint32 kDosNtOffset = 60;
constexpr quint32 kNtHeadersSize = 248; // signature, file header, PE32 optional header
constexpr quint32 kFileSectionCount = 6;
constexpr quint32 kFileOptionalSize = 20;
constexpr quint32 kFileCharacteristics = 22;
constexpr quint32 kOptionalHeader = 24;
constexpr quint32 kOptImageBase = kOptionalHeader + 28;
constexpr quint32 kOptSizeOfImage = kOptionalHeader + 56;
constexpr quint32 kOptSizeOfHeaders = kOptionalHeader + 60;
constexpr quint32 kOptDirectoryCount = kOptionalHeader + 92;
constexpr quint32 kOptDirectories = kOptionalHeader + 96;
constexpr quint32 kSectionHeaderSize = 40;
constexpr quint32 kDebugEntrySize = 28;
constexpr int kDirectoryExport = 0, kDirectoryImport = 1, kDirectoryResource = 2, kDirectoryDebug = 6;
constexpr int kResourceRcData = 10;
constexpr int kResourceUserDefined = 25;
} // namespace RtPe

// The offset of the NT headers ("PE\0\0") from the image's start: none when
// the DOS header is not readable, has no "MZ" or a header offset of 0, when
// the headers are not readable or carry no "PE" signature, or when the
// optional header is not of the PE32 kind.
std::optional<quint32> NtHeadersOffset(TRtByteView image);

// One 40-byte section header with its name cut to 8 characters.
struct TRtSectionHeader {
  QByteArray Name;
  quint32 VirtualSize = 0, VirtualAddress = 0, SizeOfRawData = 0, PointerToRawData = 0, Characteristics = 0;
  quint32 HeaderOffset = 0; // where the header lies in the image
};

// The section headers that lie inside the data, in header order.
QList<TRtSectionHeader> ReadSectionHeaders(TRtByteView image, quint32 ntHeaders);
// The first section header whose name equals the name over 8 characters.
std::optional<TRtSectionHeader> FindSectionHeader(TRtByteView image, quint32 ntHeaders, QByteArrayView name);

struct TRtDataDirectory {
  quint32 VirtualAddress = 0, Size = 0;
};

// The loaded-image record: where the image lies and what its headers say.
struct TRtLoadedImageRecord {
  QString ModuleName;
  quintptr MappedAddress = 0;
  quint32 NtHeaders = 0;
  int SectionCount = 0;
  quint32 FirstSection = 0;
  quint16 Characteristics = 0;
  bool SystemImage = false;
  bool DosImage = false;
  quint32 SizeOfImage = 0;
  quint32 LastRvaSection = 0;
};

class TRtPeImage;

// One named export: code address (RVA), hint (index in the name table),
// ordinal, name, and for a forwarded export the "module.function" text.
struct TRtPeExportFuncItem {
  quint32 Address = 0;
  int Hint = 0;
  quint16 Ordinal = 0;
  QByteArray Name;
  QByteArray ForwardTarget;
  bool IsForwarded() const { return !ForwardTarget.isNull(); }
};

// The base of the lists that belong to an image.
class TRtPeImageBaseList {
public:
  explicit TRtPeImageBaseList(TRtPeImage& image) : image_(image) {}
  virtual ~TRtPeImageBaseList() = default;
  TRtPeImage& Image() const { return image_; }

private:
  TRtPeImage& image_;
};

class TRtPeExportFuncList : public TRtPeImageBaseList {
public:
  enum TSortType { esName, esOrdinal, esHint, esAddress, esForwarded, esAddressOrForwarded, esSection };

  explicit TRtPeExportFuncList(TRtPeImage& image);
  int Count() const { return int(items_.size()); }
  const TRtPeExportFuncItem& Items(int index) const { return items_[size_t(index)]; }
  quint32 OrdinalBase() const { return ordinalBase_; }
  quint32 FunctionCount() const { return functionCount_; }
  bool HasForwardedExports() const { return hasForwarded_; }
  // Sorts unless the list is already sorted this way.
  void Sort(TSortType type, bool descending = false);

private:
  void Read();

  std::vector<TRtPeExportFuncItem> items_;
  quint32 ordinalBase_ = 0, functionCount_ = 0;
  bool hasForwarded_ = false;
  TSortType sortType_ = esName;
  bool descending_ = false, sorted_ = false;
};

class TRtPeResourceList;

// One 8-byte entry of a resource directory.
class TRtPeResourceItem {
public:
  TRtPeResourceItem(TRtPeImage& image, TRtPeResourceList* parentList, quint32 nameField, quint32 dataField);
  ~TRtPeResourceItem();

  int Level() const;
  bool IsSubdirectory() const { return (dataField_ & 0x80000000u) != 0; }
  bool IsNamed() const { return (nameField_ & 0x80000000u) != 0; }
  // The ID in decimal, or the entry's own name.
  QString Name() const;
  // The directory below this entry; none for a data entry (ERtPeImageError
  // "Not a resource directory" unless the image raises no exceptions).
  TRtPeResourceList* List();
  // The ID of the top-level entry above; IDs above 24 and named types count as 25.
  int ResourceType() const;
  quint32 DataOffset() const { return dataField_ & 0x7FFFFFFFu; }

private:
  TRtPeImage& image_;
  TRtPeResourceList* parentList_;
  quint32 nameField_, dataField_;
  std::unique_ptr<TRtPeResourceList> list_;
  mutable std::optional<QString> name_;
};

// One resource directory: its entries and the entry above it.
class TRtPeResourceList : public TRtPeImageBaseList {
public:
  TRtPeResourceList(TRtPeImage& image, quint32 directoryOffset, TRtPeResourceItem* parentItem);
  ~TRtPeResourceList() override;
  int Count() const { return int(items_.size()); }
  TRtPeResourceItem& Items(int index) const { return *items_[size_t(index)]; }
  TRtPeResourceItem* ParentItem() const { return parentItem_; }

private:
  TRtPeResourceItem* parentItem_;
  std::vector<std::unique_ptr<TRtPeResourceItem>> items_;
};

class TRtPeRootResourceList : public TRtPeResourceList {
public:
  explicit TRtPeRootResourceList(TRtPeImage& image);
  // The first top-level entry of the type; with a name, the entry of that
  // exact name below it. None when either is missing.
  TRtPeResourceItem* FindResource(int type, const QString& name = {});
};

// One 28-byte debug-directory entry.
struct TRtPeDebugEntry {
  quint32 Characteristics = 0, TimeDateStamp = 0;
  quint16 MajorVersion = 0, MinorVersion = 0;
  quint32 Type = 0, SizeOfData = 0, AddressOfRawData = 0, PointerToRawData = 0;
};

class TRtPeDebugList : public TRtPeImageBaseList {
public:
  explicit TRtPeDebugList(TRtPeImage& image);
  int Count() const { return int(entries_.size()); }
  const TRtPeDebugEntry& Items(int index) const { return entries_[size_t(index)]; }

private:
  std::vector<TRtPeDebugEntry> entries_;
};

// A PE image attached to a module laid out in memory.
class TRtPeImage {
public:
  enum TStatus { stNotLoaded, stOk, stNotPE, stCannotOpen, stError };

  explicit TRtPeImage(bool noExceptions = false);
  virtual ~TRtPeImage();
  TRtPeImage(const TRtPeImage&) = delete;
  TRtPeImage& operator=(const TRtPeImage&) = delete;

  // Attaches to the module; a module without PE headers gives stNotPE and,
  // unless the image raises no exceptions, ERtPeImageError.
  void AttachLoadedModule(const TRtModule& module);

  TStatus Status() const { return status_; }
  bool StatusOK() const { return status_ == stOk; }
  bool NoExceptions() const { return noExceptions_; }
  const QString& ImageFileName() const { return imageFileName_; }
  const TRtLoadedImageRecord& LoadedImage() const { return loadedImage_; }
  const QList<TRtSectionHeader>& Sections() const { return sections_; }
  TRtByteView Image() const { return image_; }

  // The optional header's data-directory entry; zeros unless OK.
  TRtDataDirectory Directory(int index) const;
  // The directory's bytes; empty when it lies outside the image.
  TRtByteView DirectoryData(int index) const;
  // The section that holds the RVA.
  std::optional<TRtSectionHeader> RvaToSection(quint32 rva) const;
  QByteArray SectionNameOfRva(quint32 rva) const;
  std::optional<TRtSectionHeader> SectionHeaderByName(QByteArrayView name) const;

  TRtPeExportFuncList& ExportList();
  TRtPeRootResourceList& ResourceList();
  TRtPeDebugList& DebugList();

protected:
  // Runs once the image is attached with status OK.
  virtual void AfterOpen() {}
  virtual void Clear();
  void RaiseStatusError() const;

private:
  bool noExceptions_;
  TStatus status_ = stNotLoaded;
  QString imageFileName_;
  TRtByteView image_;
  quint32 ntHeaders_ = 0;
  TRtLoadedImageRecord loadedImage_;
  QList<TRtSectionHeader> sections_;
  std::unique_ptr<TRtPeExportFuncList> exportList_;
  std::unique_ptr<TRtPeRootResourceList> resourceList_;
  std::unique_ptr<TRtPeDebugList> debugList_;
};

// An image that knows the marker resources of the compiler family whose
// modules carry TD32 debug data and run-time packages.
class TRtPePackageImage : public TRtPeImage {
public:
  using TRtPeImage::TRtPeImage;
  bool IsPackage() const { return isPackage_; }
  bool IsToolchainImage() const { return isToolchainImage_; }

protected:
  void AfterOpen() override;
  void Clear() override;

private:
  bool isPackage_ = false;
  bool isToolchainImage_ = false;
};

// The bytes of the module's section of that name (min of raw and virtual
// size, from its address); empty when the module has no PE headers or no
// such section.
TRtByteView PeSectionData(const TRtModule& module, QByteArrayView sectionName);

// A read-only stream over one section of a module laid out in memory.
class TRtPeSectionStream {
public:
  // ERtPeImageError when the module has no PE headers or no such section.
  TRtPeSectionStream(const TRtModule& module, QByteArrayView sectionName);
  TRtByteView Data() const { return data_; }
  const TRtSectionHeader& SectionHeader() const { return header_; }
  // Always raises ERtPeImageError.
  [[noreturn]] void Write(const void* buffer, qint64 count);

private:
  TRtByteView data_;
  TRtSectionHeader header_;
};

// What reading an export name found.
struct TRtExportName {
  enum TResult { enMangled, enPlain, enOtherMangling, enError };
  enum TKind { ekData, ekFunction, ekConstructor, ekDestructor, ekTypeInfo, ekVirtualTable };
  enum TFlag { efQualified = 1, efAtMark = 2 };

  TResult Result = enError;
  QString Text;
  TKind Kind = ekData;
  int Flags = 0;
  int BasePosition = 1; // counted from 1: just after the first qualifier separator
};

// Reads an export name of the compiler family's mangling: "@Unit@Class@Method$..."
// reads as "Unit.Class.Method". Only mangled names are read further.
TRtExportName ReadExportName(QByteArrayView name);
