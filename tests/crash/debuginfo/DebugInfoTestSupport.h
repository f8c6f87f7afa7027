#pragma once
#include "crash/debuginfo/RtByteView.h"
#include "crash/debuginfo/RtLoadedImage.h"
#include "crash/debuginfo/RtPeImage.h"
#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QString>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

// Shared by the debug-information tests: where the built PE fixtures lie, and
// small byte helpers.

// A file of the PE fixtures that the test build makes with mingw-w64.
inline QString PeFixturePath(const QString& name) {
  return qEnvironmentVariable("VIMEK_BINARY_DIR", QStringLiteral(".")) +
         QStringLiteral("/tests/crash/debuginfo/fixtures/") + name;
}

inline QByteArray ReadFileBytes(const QString& fileName) {
  QFile file(fileName);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFileBytes(const QString& fileName, const QByteArray& bytes) {
  QFile file(fileName);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline TRtByteView ViewOf(const QByteArray& bytes) {
  return {reinterpret_cast<const uchar*>(bytes.constData()), quint64(bytes.size())};
}

// The RVA of a section of a laid-out image.
inline quint32 SectionRva(TRtLoadedImage& image, const char* name) {
  const TRtByteView view(image.Data(), quint64(image.Size()));
  const std::optional<TRtSectionHeader> section = FindSectionHeader(view, *NtHeadersOffset(view), name);
  return section ? section->VirtualAddress : 0;
}

inline void PokeU32(uchar* at, quint32 value) {
  for (int i = 0; i < 4; ++i)
    at[i] = uchar(value >> (8 * i));
}

// What a scanner should answer for one code offset.
struct TLookupCase {
  quint32 offset;
  const char* unit;
  const char* procedure;
  quint32 procedureOffset;
  int line;
  quint32 lineOffset;
  const char* source;
};

// What a scanner answered.
struct TLookupAnswer {
  QString Unit, Procedure;
  quint32 ProcedureOffset = 0;
  int Line = 0;
  quint32 LineOffset = 0;
  QString Source;
};

// The answers of a scanner with the binary and TD32 scanners' lookups.
template <typename Scanner> TLookupAnswer AskScanner(const Scanner& scanner, quint32 offset) {
  TLookupAnswer answer;
  answer.Unit = scanner.UnitName(offset);
  answer.Procedure = scanner.ProcedureName(offset, answer.ProcedureOffset);
  answer.Line = scanner.LineNumber(offset, answer.LineOffset);
  answer.Source = scanner.SourceName(offset);
  return answer;
}

inline void ExpectLookups(const std::function<TLookupAnswer(quint32)>& ask, std::initializer_list<TLookupCase> cases) {
  for (const TLookupCase& c : cases) {
    const TLookupAnswer answer = ask(c.offset);
    const std::string at = "offset 0x" + QByteArray::number(c.offset, 16).toStdString();
    EXPECT_EQ(answer.Unit, QString::fromUtf8(c.unit)) << at;
    EXPECT_EQ(answer.Procedure, QString::fromUtf8(c.procedure)) << at;
    EXPECT_EQ(answer.ProcedureOffset, c.procedureOffset) << at;
    EXPECT_EQ(answer.Line, c.line) << at;
    EXPECT_EQ(answer.LineOffset, c.lineOffset) << at;
    EXPECT_EQ(answer.Source, QString::fromUtf8(c.source)) << at;
  }
}
