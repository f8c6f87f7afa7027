#include "reports/engine/rpStdFunctionLibrary.h"
#include "reports/engine/rpDisplayFormat.h"
#include "reports/engine/rpGlobals.h"
#include "reports/engine/rpUtils.h"
#include "reports/engine/rpValue.h"
#include "util/RtDateUtils.h"
#include <QtCore/QLocale>

namespace {

enum TStdFunction {
  fnAvg,
  fnCount,
  fnDayOf,
  fnFormatDateTime,
  fnFormatFloat,
  fnFormatText,
  fnInput,
  fnLength,
  fnLowerCase,
  fnMax,
  fnMaxNum,
  fnMessageBox,
  fnMin,
  fnMinNum,
  fnMonthOf,
  fnNameCase,
  fnPos,
  fnSum,
  fnTrim,
  fnUpperCase,
  fnYearOf
};

struct TDescription {
  const char* Category;
  const char* Name;
  const char* Text;
};

// The expression builder's list; names the parser, the name look-up or the
// interpreter handle are documented here too.
constexpr TDescription kDescriptions[] = {
    {"Výpočtové", "AVG",
     "AVG(<Expression> [,BandName [,1]])/Vypočíta priemer zo zadania <Expression> pre [BandName] riadok. Ak [1] "
     "parameter je priradený, výpočet sa vykonáva aj pre nezobrazované riadky."},
    {"Výpočtové", "COUNT", "COUNT(<BandName>)/Vráti počet riadkov v zadaní pásky <BandName>."},
    {"Výpočtové", "MAX",
     "MAX(<Expression> [,BandName [,1]])/Vypočíta maximum zo zadania <Expression> pre [BandName] riadok."},
    {"Výpočtové", "MIN",
     "MIN(<Expression> [,BandName [,1]])/Vypočíta minimum zo zadania <Expression> pre [BandName] riadok."},
    {"Výpočtové", "SUM",
     "SUM(<Expression> [,BandName [,1]])/Vypočíta súčet zo zadania <Expression> pre [BandName] riadok.Ak [1] parameter "
     "je priradený, výpočet sa vykonáva aj pre nezobrazované riadky. "},
    {"Datumové a časové", "DAYOF", "DAYOF(<Date>)/Vráti deň v mesiaci zadaného dátumu."},
    {"Datumové a časové", "MONTHOF", "MONTHOF(<Date>)/Vráti mesiac zadaného dátumu."},
    {"Datumové a časové", "STRTODATE", "STRTODATE(<String>)/Prevedie reťazec na dátum."},
    {"Datumové a časové", "STRTOTIME", "STRTOTIME(<String>)/Prevedie reťazec na čas."},
    {"Datumové a časové", "YEAROF", "YEAROF(<Date>)/Vráti rok zadaného dátumu."},
    {"Datumové a časové", "DATE", "DATE/Vráti dátum spustenia zostavy."},
    {"Datumové a časové", "TIME", "TIME/Vráti čas spustenia zostavy."},
    {"Reťazcové", "FORMATDATETIME",
     "FORMATDATETIME(<Format>, <DateTime>)/Naformátuje dátum a čas podľa formátu <Format>."},
    {"Reťazcové", "FORMATFLOAT", "FORMATFLOAT(<Format>, <Number>)/Naformátuje číslo podľa formátu <Format>."},
    {"Reťazcové", "FORMATTEXT",
     "FORMATTEXT(<Mask>, <String>)/Applies <Mask> to given <String> and returns formatted string."},
    {"Reťazcové", "LENGTH", "LENGTH(<String>)/Vráti dĺžku reťazca."},
    {"Reťazcové", "LOWERCASE", "LOWERCASE(<String>)/Prevedie reťazec na malé písmená."},
    {"Reťazcové", "NAMECASE", "NAMECASE(<String>)/Prevedie reťazec na malé písmená s veľkým prvým písmenom."},
    {"Reťazcové", "TRIM", "TRIM(<String>)/Odstráni medzery na začiatku a na konci reťazca."},
    {"Reťazcové", "UPPERCASE", "UPPERCASE(<String>)/Prevedie reťazec na veľké písmená."},
    {"Reťazcové", "POS", "POS(<SubString>, <String>)/Vráti pozíciu podreťazca v reťazci, 0 keď v ňom nie je."},
    {"Reťazcové", "COPY", "COPY(<String>, <Index>, <Count>)/Vráti časť reťazca."},
    {"Reťazcové", "STR", "STR(<Value>)/Prevedie hodnotu na reťazec."},
    {"Ostatné", "INPUT", "INPUT(<Prompt> [,Default])/Vypýta si od používateľa text."},
    {"Ostatné", "MESSAGEBOX",
     "MESSAGEBOX(<Text>, <Title>, <Buttons>)/Shows standard dialog window with title, text and buttons."},
    {"Ostatné", "IF", "IF(<Condition>, <Value1>, <Value2>)/Vráti <Value1>, keď podmienka platí, inak <Value2>."},
    {"Ostatné", "PAGE#", "PAGE#/Číslo strany."},
    {"Ostatné", "LINE#", "LINE#/Číslo riadku v skupine."},
    {"Ostatné", "LINETHROUGH#", "LINETHROUGH#/Číslo riadku od začiatku zostavy."},
    {"Ostatné", "COLUMN#", "COLUMN#/Číslo stĺpca."},
    {"Ostatné", "TOTALPAGES", "TOTALPAGES/Počet strán zostavy (dva prechody)."},
    {"Matematické", "MAXNUM", "MAXNUM(<Number1>, <Number2>)/Vráti väčšie z dvoch čísel."},
    {"Matematické", "MINNUM", "MINNUM(<Number1>, <Number2>)/Vráti menšie z dvoch čísel."},
    {"Matematické", "MOD", "MOD(<Number1>, <Number2>)/Zvyšok po celočíselnom delení."},
    {"Matematické", "ROUND", "ROUND(<Number>)/Zaokrúhli číslo na celé."},
    {"Matematické", "FRAC", "FRAC(<Number>)/Desatinná časť čísla."},
    {"Matematické", "INT", "INT(<Number>)/Celá časť čísla."},
    {"Logické", "NOT", "NOT <Expression>/Logická negácia."},
    {"Logické", "AND", "<Expression1> AND <Expression2>/Logický súčin."},
    {"Logické", "OR", "<Expression1> OR <Expression2>/Logický súčet."},
    {"Logické", "TRUE", "TRUE/Logická pravda."},
    {"Logické", "FALSE", "FALSE/Logická nepravda."},
    {"Interpretované", "MROK", "MROK/Výsledok dialógu OK."},
    {"Interpretované", "MRCANCEL", "MRCANCEL/Výsledok dialógu Zrušiť."},
    {"Interpretované", "CURY", "CURY/Aktuálna zvislá pozícia na strane."},
    {"Interpretované", "FREESPACE", "FREESPACE/Voľné miesto na strane."},
    {"Interpretované", "FINALPASS", "FINALPASS/Pravda v poslednom prechode zostavy."},
    {"Interpretované", "PAGEHEIGHT", "PAGEHEIGHT/Výška strany."},
    {"Interpretované", "PAGEWIDTH", "PAGEWIDTH/Šírka strany."},
    {"Interpretované", "PROGRESS", "PROGRESS := <Text>/Zobrazí text v okne priebehu."},
    {"Interpretované", "MODALRESULT", "MODALRESULT := <Value>/Zatvorí dialóg s výsledkom."},
    {"Interpretované", "STOPREPORT", "STOPREPORT/Ukončí zostavu."},
    {"Interpretované", "NEWPAGE", "NEWPAGE/Začne novú stranu."},
    {"Interpretované", "NEWCOLUMN", "NEWCOLUMN/Začne nový stĺpec."},
    {"Interpretované", "SHOWBAND", "SHOWBAND(<BandName>)/Vytlačí pásku."},
    {"Interpretované", "INC", ""},
    {"Interpretované", "DEC", ""},
    {"Report info", "REPORTCOMMENT", "REPORTCOMMENT/Poznámka zostavy."},
    {"Report info", "REPORTNAME", "REPORTNAME/Názov zostavy."},
    {"Report info", "REPORTAUTOR", "REPORTAUTOR/Autor zostavy."},
    {"Report info", "VMAJOR", "VMAJOR/Hlavné číslo verzie zostavy."},
    {"Report info", "VMINOR", "VMINOR/Vedľajšie číslo verzie zostavy."},
    {"Report info", "VRELEASE", "VRELEASE/Vydanie zostavy."},
    {"Report info", "VBUILD", "VBUILD/Zostavenie zostavy."},
    {"Report info", "REPORTDATE", "REPORTDATE/Dátum vytvorenia zostavy."},
    {"Report info", "REPORTLASTCHANGE", "REPORTLASTCHANGE/Dátum poslednej zmeny zostavy."},
};

QVariant Value(TrpRunContext& run, const QString& argument) { return run.Parser->Calc(argument); }
QString Text(TrpRunContext& run, const QString& argument) { return rpValueToText(Value(run, argument)); }

int DatePart(TrpRunContext& run, const QString& argument, const char* format) {
  return FormatDateTime(QLatin1String(format), rpValueToFloat(Value(run, argument))).toInt();
}

// The data band whose rows a footer of the type aggregates when the call names none.
int DataBandOfFooter(int bandType) {
  switch (bandType) {
  case 1:
  case 3:
  case 6:
  case 17:
    return 5;
  case 9:
    return 8;
  case 12:
    return 11;
  case 20:
    return 19;
  default:
    return -1;
  }
}

} // namespace

QString rpAggregateKey(const QString& bandName, char16_t kind, const QString& expression, const QString& flag) {
  const QChar sep(1);
  return bandName + sep + QChar(kind) + sep + expression.trimmed() + sep + flag.trimmed() + sep;
}

QVariant rpAggregateStart(char16_t kind) { return kind == akMin || kind == akMax ? QVariant() : rpIntegerValue(0); }

void rpAccumulateAggregate(char16_t kind, QVariant& accumulated, const QVariant& value) {
  switch (kind) {
  case akCount:
    accumulated = rpAdd(accumulated, rpIntegerValue(1));
    break;
  case akMin:
  case akMax:
    if (rpIsNull(accumulated) ||
        (kind == akMin ? rpCompare(value, accumulated) < 0 : rpCompare(value, accumulated) > 0))
      accumulated = value;
    break;
  default:
    accumulated = rpAdd(accumulated, value);
    break;
  }
}

TrpStdFunctionLibrary::TrpStdFunctionLibrary() {
  List = {QStringLiteral("AVG"),         QStringLiteral("COUNT"),
          QStringLiteral("DAYOF"),       QStringLiteral("FORMATDATETIME"),
          QStringLiteral("FORMATFLOAT"), QStringLiteral("FORMATTEXT"),
          QStringLiteral("INPUT"),       QStringLiteral("LENGTH"),
          QStringLiteral("LOWERCASE"),   QStringLiteral("MAX"),
          QStringLiteral("MAXNUM"),      QStringLiteral("MESSAGEBOX"),
          QStringLiteral("MIN"),         QStringLiteral("MINNUM"),
          QStringLiteral("MONTHOF"),     QStringLiteral("NAMECASE"),
          QStringLiteral("POS"),         QStringLiteral("SUM"),
          QStringLiteral("TRIM"),        QStringLiteral("UPPERCASE"),
          QStringLiteral("YEAROF")};
  for (const TDescription& d : kDescriptions)
    AddDescription(QLatin1String(d.Name), QString::fromUtf8(d.Category), QString::fromUtf8(d.Text));
}

void TrpStdFunctionLibrary::ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString& p2,
                                            const QString& p3, QVariant& val) {
  val = QStringLiteral("0");
  const QLocale locale;
  switch (number) {
  case fnAvg:
    Aggregate(run, akAvg, p1, p2, p3, val);
    break;
  case fnCount:
    Aggregate(run, akCount, p1, p1, p2, val);
    break;
  case fnMax:
    Aggregate(run, akMax, p1, p2, p3, val);
    break;
  case fnMin:
    Aggregate(run, akMin, p1, p2, p3, val);
    break;
  case fnSum:
    Aggregate(run, akSum, p1, p2, p3, val);
    break;
  case fnDayOf:
    val = rpIntegerValue(DatePart(run, p1, "d"));
    break;
  case fnMonthOf:
    val = rpIntegerValue(DatePart(run, p1, "m"));
    break;
  case fnYearOf:
    val = rpIntegerValue(DatePart(run, p1, "yyyy"));
    break;
  case fnFormatDateTime:
    val = FormatDateTime(Text(run, p1), rpValueToFloat(Value(run, p2)));
    break;
  case fnFormatFloat:
    val = rpFormatFloat(Text(run, p1), rpValueToFloat(Value(run, p2)), locale.decimalPoint().at(0),
                        locale.groupSeparator().at(0));
    break;
  case fnFormatText:
    val = rpFormatMaskText(Text(run, p1), Text(run, p2));
    break;
  case fnInput:
    val = rpGlobals().InputBox(Text(run, p1), Text(run, p2));
    break;
  case fnLength:
    val = rpIntegerValue(Text(run, p1).size());
    break;
  case fnLowerCase:
    val = locale.toLower(Text(run, p1));
    break;
  case fnUpperCase:
    val = locale.toUpper(Text(run, p1));
    break;
  case fnNameCase: {
    QString text = locale.toLower(Text(run, p1));
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    val = text;
    break;
  }
  case fnTrim: {
    QString text = Text(run, p1);
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin].unicode() <= ' ')
      ++begin;
    while (end > begin && text[end - 1].unicode() <= ' ')
      --end;
    val = text.mid(begin, end - begin);
    break;
  }
  case fnPos:
    val = rpIntegerValue(Text(run, p2).indexOf(Text(run, p1)) + 1);
    break;
  case fnMaxNum: {
    const QVariant a = Value(run, p1), b = Value(run, p2);
    val = rpCompare(a, b) > 0 ? a : b;
    break;
  }
  case fnMinNum: {
    const QVariant a = Value(run, p1), b = Value(run, p2);
    val = rpCompare(a, b) < 0 ? a : b;
    break;
  }
  case fnMessageBox:
    val = rpIntegerValue(rpGlobals().MessageBox(Text(run, p1), Text(run, p2), int(rpValueToInteger(Value(run, p3)))));
    break;
  default:
    break;
  }
}

void TrpStdFunctionLibrary::Aggregate(const TrpRunContext& run, char16_t kind, const QString& expression,
                                      const QString& band, const QString& flag, QVariant& val) {
  TrpAggregateBands* bands = run.Aggregates;
  if (!bands) return;
  const QString keyExpression = kind == akCount ? band : expression;
  if (run.AggregatePass) {
    QString bandName = band.trimmed();
    if (bandName.isEmpty()) {
      if (DataBandOfFooter(bands->CallBandType()) != bands->AggregateBandType()) return;
      bandName = bands->AggregateBandName();
    }
    if (bandName.compare(bands->AggregateBandName(), Qt::CaseInsensitive) != 0) return;
    QString name = bands->CallBandName();
    if (bands->CallBandType() != 20 && bands->CallBandHasCrossObjects()) name = QStringLiteral("0\x01") + name;
    bands->Register(rpAggregateKey(name, kind, keyExpression, flag), rpAggregateStart(kind));
    return;
  }
  QString name;
  if (!bands->LinkedName(name)) return;
  val = bands->Value(rpAggregateKey(name, kind, keyExpression, flag));
}

TDatabaseFunctionLibrary::TDatabaseFunctionLibrary() {
  List = {QStringLiteral("FIELDISNULL")};
  AddDescription(QStringLiteral("FIELDISNULL"), QStringLiteral("Database"),
                 QStringLiteral("FIELDISNULL(<FieldName>)/Returns 'true' if DB-field is null"));
}

void TDatabaseFunctionLibrary::ExecuteFunction(TrpRunContext& run, int number, const QString& p1, const QString&,
                                               const QString&, QVariant& val) {
  val = number == 0 ? QVariant(rpIsFieldNull(run.CurrentReport, Text(run, p1))) : rpIntegerValue(0);
}
