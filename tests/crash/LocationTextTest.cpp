#include "RaiseTargets.h"
#include "crash/RtDebug.h"
#include "tests/support/QStringPrinter.h"
#include <gtest/gtest.h>

namespace {

TRtLocationInfo Location(const char* unit, const char* procedure, quint32 procedureOffset, int line, qint32 lineOffset,
                         const char* source) {
  TRtLocationInfo location;
  location.Unit = QLatin1String(unit);
  location.Procedure = QLatin1String(procedure);
  location.ProcedureOffset = procedureOffset;
  location.Line = line;
  location.LineOffset = lineOffset;
  location.SourceFile = QLatin1String(source);
  return location;
}

TEST(LocationTextTest, FormatsEveryForm) {
  const quintptr address = 0x5555DEADBEEF;
  const TRtLocationInfo inLine = Location("Unit", "TForm.Run", 0x20, 14, 6, "unit.pas");
  const TRtLocationInfo before = Location("Unit", "TForm.Run", 0x20, 14, -3, "unit.pas");
  const TRtLocationInfo noLine = Location("Unit", "TForm.Run", 0x1a, 0, 0, "");
  const TRtLocationInfo noUnit = Location("", "qVersion()", 2, 0, 0, "");
  struct Case {
    const char* what;
    const TRtLocationInfo* location;
    int startLine;
    bool module, addressOffset, lineOffset;
    const char* text;
  };
  const Case cases[] = {
      {"no location", nullptr, 0, false, true, true, "[00005555DEADBEEF]"},
      {"no line", &noLine, 0, false, true, true, "[00005555DEADBEEF] Unit.TForm.Run + $1a"},
      {"no line, no offsets", &noLine, 0, false, false, false, "[00005555DEADBEEF] Unit.TForm.Run"},
      {"no unit", &noUnit, 0, false, true, true, "[00005555DEADBEEF] qVersion() + $2"},
      {"line 14 of a routine from line 10", &inLine, 10, false, true, true,
       "[00005555DEADBEEF] Unit.TForm.Run (Line 14, \"unit.pas\" + 4) + $6"},
      {"before the line's first address", &before, 10, false, true, true,
       "[00005555DEADBEEF] Unit.TForm.Run (Line 14, \"unit.pas\" + 4) - $3"},
      {"routine start unknown", &inLine, 0, false, true, true,
       "[00005555DEADBEEF] Unit.TForm.Run (Line 14, \"unit.pas\") + $6"},
      {"without offsets", &inLine, 10, false, false, false,
       "[00005555DEADBEEF] Unit.TForm.Run (Line 14, \"unit.pas\")"},
      {"with the module", &inLine, 10, true, true, false,
       "[00005555DEADBEEF]{Vimek       } Unit.TForm.Run (Line 14, \"unit.pas\") + $6"},
      {"with the module, no location", nullptr, 0, true, true, true, "[00005555DEADBEEF]{Vimek       }"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormatLocationText(address, c.location, c.startLine, QStringLiteral("Vimek"), c.module, c.addressOffset,
                                 c.lineOffset),
              QLatin1String(c.text))
        << c.what;
}

TEST(LocationTextTest, NamesAnAddressOfThisProgram) {
  const quintptr address = quintptr(&raisetargets::ThrowFromOuter) + 8;
  const QString text = LocationText(address, true, true, true);
  EXPECT_TRUE(text.startsWith(QLatin1Char('[') +
                              QStringLiteral("%1").arg(quint64(address), 16, 16, QLatin1Char('0')).toUpper() +
                              QStringLiteral("]{test_crash  } RaiseTargets.raisetargets.ThrowFromOuter (Line ")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("\"RaiseTargets.cpp\""))) << text.toStdString();
  // An address no module holds.
  EXPECT_EQ(LocationText(0x10, false, true, true), QStringLiteral("[0000000000000010]"));
}

} // namespace
