#include "reports/engine/ui/rpPrinterBins.h"
#include <QtCore/QFile>
#include <cups/cups.h>
// The driver description is the only place CUPS keeps a queue's own source
// names and their order; its reader is marked deprecated in favour of IPP
// attributes that give neither.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

namespace {

struct TKnownBin {
  const char* Keyword;
  int Code;
};

// The sources every driver names alike, with the codes templates hold for them.
constexpr TKnownBin kKnownBins[] = {
    {"Upper", 1},          {"Top", 1},        {"OnlyOne", 1},     {"Lower", 2},       {"Bottom", 2},
    {"Middle", 3},         {"Manual", 4},     {"ManualFeed", 4},  {"Envelope", 5},    {"EnvManual", 6},
    {"Auto", 7},           {"AutoSelect", 7}, {"Tractor", 8},     {"SmallFormat", 9}, {"LargeFormat", 10},
    {"LargeCapacity", 11}, {"Cassette", 14},  {"FormSource", 15},
};

constexpr int kUserBinBase = 256;

// A driver description's texts are in the encoding it declares.
QString DecodePpdText(const ppd_file_t& ppd, const char* text) {
  if (ppd.lang_encoding && qstricmp(ppd.lang_encoding, "UTF-8") == 0) return QString::fromUtf8(text);
  return QString::fromLatin1(text);
}

TrpPrinterBins ReadBins(const ppd_file_t& ppd) {
  TrpPrinterBins result;
  ppd_option_t* inputSlots = ppdFindOption(const_cast<ppd_file_t*>(&ppd), "InputSlot");
  if (!inputSlots) return result;
  for (int i = 0; i < inputSlots->num_choices; ++i) {
    const ppd_choice_t& choice = inputSlots->choices[i];
    TrpPrinterBin bin;
    bin.Keyword = choice.choice;
    bin.Code = rpBinCodeOf(bin.Keyword, i);
    if (result.Find(bin.Code)) bin.Code = kUserBinBase + i; // two names for one common source
    bin.Name = DecodePpdText(ppd, choice.text[0] ? choice.text : choice.choice);
    if (qstrcmp(choice.choice, inputSlots->defchoice) == 0) result.DefaultIndex = int(result.Bins.size());
    result.Bins.append(bin);
  }
  return result;
}

} // namespace

const TrpPrinterBin* TrpPrinterBins::Find(int code) const {
  for (const TrpPrinterBin& bin : Bins)
    if (bin.Code == code) return &bin;
  return nullptr;
}

int rpBinCodeOf(const QByteArray& keyword, int index) {
  for (const TKnownBin& known : kKnownBins)
    if (qstricmp(keyword.constData(), known.Keyword) == 0) return known.Code;
  return kUserBinBase + index;
}

TrpPrinterBins rpReadPrinterBins(const QString& printerName) {
  const QByteArray name = printerName.toUtf8();
  const char* fileName = cupsGetPPD2(CUPS_HTTP_DEFAULT, name.constData());
  if (!fileName) return {};
  // CUPS hands out a temporary copy that is ours to remove.
  const QString copy = QFile::decodeName(fileName);
  TrpPrinterBins result;
  if (ppd_file_t* ppd = ppdOpenFile(fileName)) {
    result = ReadBins(*ppd);
    ppdClose(ppd);
  }
  QFile::remove(copy);
  return result;
}

#pragma GCC diagnostic pop
