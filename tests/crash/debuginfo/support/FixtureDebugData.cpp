#include "FixtureDebugData.h"
#include "TD32Writer.h"
#include "crash/debuginfo/RtBinDebug.h"

QByteArray FixtureBinaryDebugData() {
  TRtBinDebugWriter writer;
  writer.SetModuleName(QStringLiteral("fixture"));
  writer.AddUnit(0x10, QStringLiteral("UnitOne"));
  writer.AddUnit(0x100, QStringLiteral("UnitTwo"));
  writer.AddSymbol(0x10, QStringLiteral("TAlpha"), QStringLiteral("First"));
  writer.AddSymbol(0x40, QStringLiteral("Second"), QString());
  writer.AddSymbol(0x100, QStringLiteral("TBeta"), QStringLiteral("Run"));
  writer.AddSymbol(0x120, QStringLiteral("TBeta"), QStringLiteral("@Create"));
  writer.AddSymbol(0x140, QStringLiteral("ns::TGamma"), QStringLiteral("Stop"));
  writer.AddLine(0x10, 10);
  writer.AddLine(0x18, 11);
  writer.AddLine(0x30, 14);
  writer.AddLine(0x100, 20);
  writer.AddLine(0x110, 21);
  writer.AddSourceName(0x10, QStringLiteral("one.pas"));
  writer.AddSourceName(0x100, QStringLiteral("two.pas"));
  return writer.Data(true);
}

QByteArray FixtureTD32Data() {
  TTD32Writer writer;
  writer.AddModule("TdUnit", {{0x0, 0x100}});
  writer.AddProcedure(true, "@TdUnit@TFoo@Bar$qqrv", 0x10, 0x30);
  writer.AddProcedure(false, "Plain", 0x40, 0x20);
  writer.AddProcedure(true, "@Single", 0x60, 0x10);
  writer.AddSourceFile("tdunit.pas", {{0x10, 0x80, {{0x10, 10}, {0x18, 11}, {0x40, 20}, {0x60, 30}}}});
  return writer.Data();
}
