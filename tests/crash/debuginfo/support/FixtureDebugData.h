#pragma once
#include <QtCore/QByteArray>

// The debug data the tests read: built by the writers, linked into the
// fixture library's sections and written as side files.

// Binary debug data of the module "fixture", by code offset:
//   units   0x10 UnitOne, 0x100 UnitTwo
//   symbols 0x10 TAlpha.First, 0x40 Second, 0x100 TBeta.Run,
//           0x120 TBeta.@Create, 0x140 ns::TGamma.Stop
//   lines   0x10 10, 0x18 11, 0x30 14, 0x100 20, 0x110 21
//   sources 0x10 one.pas, 0x100 two.pas
QByteArray FixtureBinaryDebugData();

// TD32 data: module TdUnit over 0..0x100; procedures
// "@TdUnit@TFoo@Bar$qqrv" 0x10+0x30 (global), "Plain" 0x40+0x20 (local),
// "@Single" 0x60+0x10; source "tdunit.pas" over 0x10..0x80 with lines
// (0x10 10) (0x18 11) (0x40 20) (0x60 30).
QByteArray FixtureTD32Data();
