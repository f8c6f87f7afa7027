// The program's own package: its numbering, and a base database upgraded by
// it holding every object the registers and the error handler name.
#include "app/fUpdate.h"
#include "schema/UpgradePackage.h"
#include "tests/schema/SchemaTestSupport.h"
#include "util/UxMemDS.h"
#include "util/XMLDataset.h"
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>

namespace {

// The package's scripts by version, read the way the upgrade form reads them.
QMap<int, QString> PackageScripts() {
  TUxMemoryData md;
  TXMLDataset xml;
  EXPECT_EQ(LoadUpdatePackage(UpdatePackageZlib(), xml, md), QString());
  QMap<int, QString> scripts;
  for (md.First(); !md.Eof(); md.Next()) {
    scripts.insert(md.FieldByName(QStringLiteral("VERSION_NUMBER")).AsInteger(),
                   md.FieldByName(QStringLiteral("LONG_SCRIPT")).AsString());
    if (md.RecNo() == md.RecordCount()) break;
  }
  return scripts;
}

struct TScriptKind {
  QList<int> Versions;
  const char* Pattern; // the start of the statement
};

// What the schema history holds at which version; every version not listed
// alters a table or changes data.
const TScriptKind kScriptKinds[] = {
    {{5, 15, 21, 32, 58, 76, 133, 145, 148, 149, 167, 169, 172, 188}, "^CREATE GENERATOR "},
    {{6}, "^CREATE TABLE C_DRUHY_DOKLADOV "},
    {{16}, "^CREATE TABLE E_FAKTURY "},
    {{22}, "^CREATE TABLE E_FAKTURY_POLOZKY "},
    {{33}, "^CREATE TABLE E_POKLADNA "},
    {{59}, "^CREATE TABLE C_CLENOV_PRERUSENE_ROKY "},
    {{77}, "^CREATE TABLE C_CLENOV_CLENSKE "},
    {{134}, "^CREATE TABLE C_CLENOV_RS "},
    {{146}, "^CREATE TABLE E_RS "},
    {{147}, "^CREATE TABLE E_RS_KONTROLORI "},
    {{150}, "^CREATE TABLE E_RS_KONTROLOVANI "},
    {{168}, "^CREATE TABLE C_TYPY_BRIGAD "},
    {{170}, "^CREATE TABLE C_KRMIV "},
    {{173}, "^CREATE TABLE E_POSTA "},
    {{189}, "^CREATE TABLE E_KRMENIA "},
    {{20}, "^CREATE VIEW V_C_DRUHY_DOKLADOV "},
    {{125}, "^CREATE VIEW V_REVIRY_JUX "},
    {{151}, "^CREATE VIEW V_CLENOV_RS "},
    {{236}, "^CREATE OR ALTER VIEW V_CLENOV_RS "},
    {{52}, "^CREATE EXCEPTION ERR_001 "},
    {{56}, "^CREATE EXCEPTION ERR_002 "},
    {{60}, "^CREATE EXCEPTION ERR_003 "},
    {{38}, "^CREATE PROCEDURE SP_SALDOKONTO "},
    {{39}, "^CREATE PROCEDURE SP_FAKTURY_UHRADY_PREPOCITAJ "},
    {{50}, "^CREATE PROCEDURE SP_PRETEKY "},
    {{54}, "^CREATE PROCEDURE SP_PRETEKY_LIGA "},
    {{55}, "^CREATE PROCEDURE SP_PRETEKY_ATP "},
    {{74}, "^CREATE PROCEDURE SP_ZARYBNOVANIE_ZDROJE "},
    {{75}, "^CREATE PROCEDURE SP_ZARYBNOVANIE_DRUHY "},
    {{78}, "^CREATE PROCEDURE SP_C_CLENOV_CLENSKE "},
    {{72}, "^ALTER PROCEDURE SP_PRETEKY_KOLA "},
    {{142}, "^ALTER PROCEDURE SP_ZARYBNOVANIE_ZDROJE "},
    {{143}, "^ALTER PROCEDURE SP_ZARYBNOVANIE_DRUHY "},
    {{166}, "^ALTER PROCEDURE SP_PRETEKY_ATP "},
    {{24}, "^CREATE TRIGGER E_FAKTURY_POLOZKY_AIUD "},
    {{37}, "^CREATE TRIGGER E_POKLADNA_BIU "},
    {{237}, "^CREATE OR ALTER TRIGGER E_POKLADNA_BIU "},
    {{239}, "^CREATE OR ALTER PROCEDURE SP_SALDOKONTO "},
    {{240}, "^CREATE OR ALTER TRIGGER E_ULOVKY_KAPITALNE_BIU "},
    {{251}, "^CREATE OR ALTER TRIGGER E_FAKTURY_POLOZKY_AIUD "},
    {{253}, "^CREATE OR ALTER TRIGGER E_FAKTURY_POLOZKY_BIU "},
    {{40}, "^CREATE TRIGGER E_POKLADNA_AIUD "},
    {{53}, "^CREATE TRIGGER E_PRETEKY_PRETEKARI_BIU "},
    {{57}, "^CREATE TRIGGER E_CENINY_AD "},
    {{61}, "^CREATE TRIGGER E_POKLADNA_AD "},
    {{79}, "^CREATE TRIGGER E_POVOLENKY_AIUD "},
    {{80}, "^CREATE TRIGGER E_POVOLENKY2_AIUD "},
    {{96}, "^CREATE TRIGGER E_CENINY_BIU "},
    {{152}, "^CREATE TRIGGER E_RS_KONTROLOVANI_BIU "},
    {{154}, "^CREATE TRIGGER E_RS_KONTROLORI_AIUD "},
    {{164}, "^CREATE TRIGGER E_POVOLENKY_BIU "},
    {{179}, "^CREATE TRIGGER E_POSTA_BIU "},
    {{81}, "^ALTER TRIGGER C_CLENOV_BIU\\s"},
    {{234}, "^ALTER PROCEDURE SP_NAZOV_UPLNY\\s"},
    {{124}, "^ALTER TRIGGER C_REVIRY_JUX_BIU\\s"},
    {{184}, "^ALTER TRIGGER E_CENINY_BIU\\s"},
    {{158}, "^DROP TRIGGER E_POVOLENKY_BIU$"},
    {{161}, "^DROP INDEX "},
    {{137, 138, 139, 140, 141}, "^DROP (VIEW|TABLE|GENERATOR) "},
    {{127, 128, 165, 177, 178, 186, 187}, "^CREATE INDEX "},
    {{7,  8,  9,  10, 11,  12,  13,  14,  26,  27,  30,  31,  41,  42,
      43, 44, 45, 46, 155, 174, 175, 180, 181, 197, 230, 231, 232, 233},
     "^INSERT INTO PONUKY "},
    {{242, 243, 244, 245, 246, 247, 248}, "^EXECUTE BLOCK AS"},
    {{122}, "^execute procedure Nastavenia_Zapis\\('PRIEZVISKA_VELKYMI','',0\\)$"},
};

} // namespace

TEST(UpgradePackageTest, EveryVersionHoldsTheStatementOfItsNumber) {
  const QMap<int, QString> scripts = PackageScripts();
  ASSERT_EQ(scripts.size(), UpdatePackageScriptCount());
  ASSERT_EQ(UpdatePackageScriptCount(), VIMEK_SCHEMA_SCRIPT_COUNT);
  EXPECT_EQ(scripts.firstKey(), 1);
  EXPECT_EQ(scripts.lastKey(), VIMEK_SCHEMA_SCRIPT_COUNT);
  QMap<int, QString> expected;
  for (const TScriptKind& kind : kScriptKinds)
    for (int version : kind.Versions)
      expected.insert(version, QString::fromUtf8(kind.Pattern));
  for (int version = 82; version <= 121; ++version)
    if (version != 96) expected.insert(version, QStringLiteral("^CREATE INDEX "));
  for (auto it = scripts.begin(); it != scripts.end(); ++it) {
    const QString pattern = expected.value(it.key(), QStringLiteral("^(ALTER TABLE|UPDATE) "));
    EXPECT_TRUE(QRegularExpression(pattern).match(it.value()).hasMatch())
        << "version " << it.key() << ": " << it.value().left(60).toStdString();
    // Stored with CR LF line ends and without a terminator.
    EXPECT_FALSE(it.value().contains(QRegularExpression(QStringLiteral("[^\\r]\\n")))) << it.key();
    EXPECT_FALSE(it.value().endsWith(QLatin1Char(';'))) << it.key();
  }
}

namespace {

enum class TKind { Table, View, Procedure, Function, Trigger, Generator, Exception, Index };

struct TFact {
  TKind Kind;
  std::vector<const char*> Names;
};

const TFact kFacts[] = {
    {TKind::Table,
     {"DATABASE_UPDATES",
      "NASTAVENIA",
      "PONUKY",
      "TEMP_SPRACUJ",
      "C_ZO",
      "C_CLENENIE_CLENOV",
      "C_CLENOV",
      "C_CENINY",
      "C_REVIRY_JUX",
      "C_PARTNERI",
      "E_BRIGADY",
      "E_PREDMETY",
      "E_VYZNAMENANIA",
      "E_PRIESTUPKY",
      "E_POVOLENKY",
      "E_POVOLENKY2",
      "E_CENINY",
      "C_DRUHY_RYB",
      "E_ULOVKY",
      "E_ULOVKY_KAPITALNE",
      "C_ZDROJE_UHRAD",
      "E_ZARYBNOVANIE_ZDROJ",
      "E_ZARYBNOVANIE_REVIR",
      "C_LIG",
      "C_DRUZSTVA_PRETEKAROV",
      "C_DRUZSTVA_PRETEKAROV_PC",
      "C_PRETEKARI",
      "E_PRETEKY",
      "E_PRETEKY_KOLA",
      "E_PRETEKY_PRETEKARI",
      "C_DRUHY_DOKLADOV",
      "E_FAKTURY",
      "E_FAKTURY_POLOZKY",
      "E_POKLADNA",
      "C_CLENOV_PRERUSENE_ROKY",
      "C_CLENOV_CLENSKE",
      "C_CLENOV_RS",
      "E_RS",
      "E_RS_KONTROLORI",
      "E_RS_KONTROLOVANI",
      "C_TYPY_BRIGAD",
      "C_KRMIV",
      "E_POSTA",
      "E_KRMENIA"}},
    {TKind::View, {"V_C_DRUHY_DOKLADOV", "V_REVIRY_JUX", "V_CLENOV_RS"}},
    {TKind::Procedure,
     {"SP_NAZOV_UPLNY", "SP_VYPOCITAJ_UMIESTNENIE", "RETURN_DOUBLE_PRECISION", "NASTAVENIA_ZAPIS", "SP_SALDOKONTO",
      "SP_FAKTURY_UHRADY_PREPOCITAJ", "SP_PRETEKY", "SP_PRETEKY_LIGA", "SP_PRETEKY_ATP", "SP_PRETEKY_KOLA",
      "SP_ZARYBNOVANIE_ZDROJE", "SP_ZARYBNOVANIE_DRUHY", "SP_C_CLENOV_CLENSKE"}},
    {TKind::Function, {"KALIM_UDF_VERSION", "UPPERQPL2"}},
    {TKind::Trigger,
     {"C_CLENOV_BIU", "C_REVIRY_JUX_BIU", "C_PARTNERI_BIU", "C_PRETEKARI_BIU", "E_PRIESTUPKY_BIU",
      "E_ULOVKY_KAPITALNE_BIU", "E_POVOLENKY_BIU", "E_POVOLENKY_AIUD", "E_POVOLENKY2_AIUD", "E_CENINY_BIU",
      "E_CENINY_AD", "E_POKLADNA_BIU", "E_POKLADNA_AIUD", "E_POKLADNA_AD", "E_FAKTURY_POLOZKY_AIUD",
      "E_PRETEKY_PRETEKARI_BIU", "E_RS_KONTROLOVANI_BIU", "E_RS_KONTROLORI_AIUD", "E_POSTA_BIU"}},
    {TKind::Generator,
     {"C_ZO_ID",
      "C_CENINY_ID",
      "C_REVIRY_JUX_ID",
      "E_POVOLENKY_ID",
      "E_POVOLENKY2_ID",
      "C_CLENOV_CLENSKE_ID",
      "E_CENINY_ID",
      "C_DRUHY_RYB_ID",
      "E_ULOVKY_ID",
      "E_ULOVKY_KAPITALNE_ID",
      "C_KRMIV_ID",
      "E_KRMENIA_ID",
      "C_ZDROJE_UHRAD_ID",
      "E_ZARYBNOVANIE_ZDROJ_ID",
      "E_ZARYBNOVANIE_REVIR_ID",
      "E_POKLADNA_ID",
      "C_DRUHY_DOKLADOV_ID",
      "C_PARTNERI_ID",
      "E_FAKTURY_ID",
      "E_FAKTURY_POLOZKY_ID",
      "C_LIG_ID",
      "C_DRUZSTVA_PRETEKAROV_ID",
      "C_PRETEKARI_ID",
      "E_PRETEKY_ID",
      "E_PRETEKY_KOLA_ID",
      "E_PRETEKY_PRETEKARI_ID",
      "TEMP_SPRACUJ_ID",
      "C_CLENOV_ID",
      "C_CLENENIE_CLENOV_ID",
      "E_BRIGADY_ID",
      "E_PREDMETY_ID",
      "E_VYZNAMENANIA_ID",
      "E_PRIESTUPKY_ID",
      "C_CLENOV_PRERUSENE_ROKY_ID",
      "C_CLENOV_RS_ID",
      "E_RS_ID",
      "E_RS_KONTROLORI_ID",
      "E_RS_KONTROLOVANI_ID",
      "C_TYPY_BRIGAD_ID",
      "E_POSTA_ID"}},
    {TKind::Exception, {"ERR_001", "ERR_002", "ERR_003"}},
    {TKind::Index,
     {"IDX_E_BRIGADY_DATUM",
      "IDX_C_CLENOV_MENO",
      "IDX_C_CLENOV_PRIEZVISKO",
      "IDX_C_CLENOV_ADRESA",
      "IDX_C_CLENOV_NAZOV_UPLNY",
      "IDX_C_CLENOV_NAZOV_UPLNY_X",
      "IDX_C_CLENOV_DATUM_NARODENIA",
      "IDX_C_CLENOV_CISLO_LEGITIMACIE",
      "IDX_C_CLENOV_VSTUP_JUX",
      "IDX_E_POKLADNA_DATUM",
      "IDX_E_POKLADNA_NAZOV_UPLNY",
      "IDX_E_POKLADNA_P1",
      "IDX_E_POKLADNA_POPIS",
      "IDX_C_PARTNERI_NAZOV_UPLNY",
      "IDX_C_PARTNERI_NAZOV_UPLNY_X",
      "IDX_C_PARTNERI_NAZOV",
      "IDX_C_PARTNERI_ULICA",
      "IDX_C_PARTNERI_MESTO",
      "IDX_C_PARTNERI_ICO",
      "IDX_C_LIG_NAZOV",
      "IDX_C_DRUZSTVA_PRETEKAROV_NAZOV",
      "IDX_C_PRETEKARI_NAZOV_UPLNY",
      "IDX_C_PRETEKARI_NAZOV_UPLNY_X",
      "IDX_C_REVIRY_JUX_NAZOV_UPLNY2",
      "IDX_C_REVIRY_JUX_NAZOV_UPLNY2_X",
      "IDX_E_POSTA_NAZOV_UPLNY",
      "IDX_E_POSTA_NAZOV_UPLNY_X",
      "IDX_E_POVOLENKY_NAZOV_UPLNY_X",
      "IDX_E_CENINY_NAZOV_UPLNY_X"}},
};

// Named constraints: name, table, type (the error handler maps several by name).
const char* const kConstraints[][3] = {
    {"UK_E_POVOLENKY_ROK_CISLO_TYP", "E_POVOLENKY", "UNIQUE"},
    {"UK_C_CLENOV_PRERUSENE_ROKY_ROK", "C_CLENOV_PRERUSENE_ROKY", "UNIQUE"},
    {"UK_C_DRUHY_DOKLADOV_ROK_SKRATKA", "C_DRUHY_DOKLADOV", "UNIQUE"},
    {"UK_C_CLENOV_CLENSKE_ROK", "C_CLENOV_CLENSKE", "UNIQUE"},
    {"UK_E_PRETEKY_KOLA_CISLO", "E_PRETEKY_KOLA", "UNIQUE"},
    {"UK_E_POKLADNA_DOKLAD", "E_POKLADNA", "UNIQUE"},
    {"UK_E_FAKTURY_ROK_DD_CISLO", "E_FAKTURY", "UNIQUE"},
    {"FK_E_POKLADNA_CLEN", "E_POKLADNA", "FOREIGN KEY"},
    {"FK_E_POKLADNA_PARTNER", "E_POKLADNA", "FOREIGN KEY"},
    {"FK_E_POKLADNA_FAKTURA", "E_POKLADNA", "FOREIGN KEY"},
    {"FK_E_POKLADNA_POVOLENKY2", "E_POKLADNA", "FOREIGN KEY"},
    {"FK_E_POVOLENKY_CLEN", "E_POVOLENKY", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLORI_CLEN_RS", "E_RS_KONTROLORI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLORI_E_RS", "E_RS_KONTROLORI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLOVANI_ZO", "E_RS_KONTROLOVANI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLOVANI_CLEN_RS", "E_RS_KONTROLOVANI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLOVANI_CLEN", "E_RS_KONTROLOVANI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLOVANI_REVIR", "E_RS_KONTROLOVANI", "FOREIGN KEY"},
    {"FK_E_RS_KONTROLOVANI_E_RS", "E_RS_KONTROLOVANI", "FOREIGN KEY"},
    {"FK_E_RS_REVIR_JUX", "E_RS", "FOREIGN KEY"},
    {"FK_E_KRMENIA_KRMIVO", "E_KRMENIA", "FOREIGN KEY"},
    {"FK_E_KRMENIA_REVIR", "E_KRMENIA", "FOREIGN KEY"},
    {"FK_E_FAKTURY_ROK_DOKLAD", "E_FAKTURY", "FOREIGN KEY"},
    {"FK_E_FAKTURY_ODB_JEDIN", "E_FAKTURY", "FOREIGN KEY"},
    {"FK_E_FAKTURY_DOD_JEDIN", "E_FAKTURY", "FOREIGN KEY"},
    {"FK_E_FAKTURY_POLOZKY_FAKTURA", "E_FAKTURY_POLOZKY", "FOREIGN KEY"},
    {"FK_C_CLENOV_PRERUSENE_ROKY_CLEN", "C_CLENOV_PRERUSENE_ROKY", "FOREIGN KEY"},
    {"FK_C_CLENOV_CLENSKE_CLEN", "C_CLENOV_CLENSKE", "FOREIGN KEY"},
    {"FK_C_CLENOV_RS_CLEN", "C_CLENOV_RS", "FOREIGN KEY"},
    {"FK_E_POSTA_CLEN", "E_POSTA", "FOREIGN KEY"},
    {"FK_E_POSTA_PARTNERI", "E_POSTA", "FOREIGN KEY"},
    {"FK_E_BRIGADY_TYPY_BRIGAD", "E_BRIGADY", "FOREIGN KEY"},
    {"FK_E_ZARYBNOVANIE_ZDROJ_REVIR", "E_ZARYBNOVANIE_ZDROJ", "FOREIGN KEY"},
    {"PK_C_CLENOV_RS", "C_CLENOV_RS", "PRIMARY KEY"},
    {"PK_E_RS", "E_RS", "PRIMARY KEY"},
    {"PK_E_RS_KONTROLORI", "E_RS_KONTROLORI", "PRIMARY KEY"},
    {"PK_E_RS_KONTROLOVANI", "E_RS_KONTROLOVANI", "PRIMARY KEY"},
    {"PK_C_TYPY_BRIGAD", "C_TYPY_BRIGAD", "PRIMARY KEY"},
    {"PK_C_KRMIV", "C_KRMIV", "PRIMARY KEY"},
    {"PK_E_KRMENIA", "E_KRMENIA", "PRIMARY KEY"},
    {"PK_E_POSTA", "E_POSTA", "PRIMARY KEY"},
    {"PK_E_POKLADNA", "E_POKLADNA", "PRIMARY KEY"},
};

QString CatalogQuery(TKind kind) {
  switch (kind) {
  case TKind::Table:
    return QStringLiteral(
        "select rdb$relation_name from rdb$relations where rdb$view_blr is null and coalesce(rdb$system_flag,0)=0");
  case TKind::View:
    return QStringLiteral("select rdb$relation_name from rdb$relations where rdb$view_blr is not null");
  case TKind::Procedure:
    return QStringLiteral("select rdb$procedure_name from rdb$procedures");
  case TKind::Function:
    return QStringLiteral("select rdb$function_name from rdb$functions");
  case TKind::Trigger:
    return QStringLiteral("select rdb$trigger_name from rdb$triggers where coalesce(rdb$system_flag,0)=0");
  case TKind::Generator:
    return QStringLiteral("select rdb$generator_name from rdb$generators");
  case TKind::Exception:
    return QStringLiteral("select rdb$exception_name from rdb$exceptions");
  case TKind::Index:
    return QStringLiteral("select rdb$index_name from rdb$indices");
  }
  return {};
}

} // namespace

class UpgradeRunTest : public BaseDatabaseTest {
protected:
  QSet<QString> Names(TKind kind) {
    QSet<QString> names;
    for (const QVariantList& row : Rows(CatalogQuery(kind)))
      names.insert(row.value(0).toString().trimmed());
    return names;
  }
};

TEST_F(UpgradeRunTest, BaseDatabaseReachesTheSupportedVersionWithEveryNamedObject) {
  TfrmUpdate form(db.get(), UpdatePackageZlib(), UpdatePackageScriptCount());
  EXPECT_EQ(form.ZistiVerziu(), 0);
  form.btnGoClick();
  ASSERT_EQ(form.ZistiVerziu(), VIMEK_SCHEMA_SCRIPT_COUNT);
  EXPECT_TRUE(dialogs->Requests().isEmpty());
  // One row per version, in order, all stamped.
  EXPECT_EQ(Scalar(QStringLiteral("select count(*) from database_updates where updated is not null")).toInt(),
            VIMEK_SCHEMA_SCRIPT_COUNT);
  EXPECT_EQ(
      Scalar(QStringLiteral("select count(distinct version) from database_updates where version between 1 and :N"),
             {{QStringLiteral("N"), VIMEK_SCHEMA_SCRIPT_COUNT}})
          .toInt(),
      VIMEK_SCHEMA_SCRIPT_COUNT);

  for (const TFact& fact : kFacts) {
    const QSet<QString> present = Names(fact.Kind);
    for (const char* name : fact.Names)
      EXPECT_TRUE(present.contains(QString::fromLatin1(name))) << name;
  }
  for (const auto& [name, table, type] : kConstraints) {
    EXPECT_EQ(
        Rows(QStringLiteral("select trim(rdb$relation_name), trim(rdb$constraint_type) from rdb$relation_constraints "
                            "where rdb$constraint_name=:N"),
             {{QStringLiteral("N"), QString::fromLatin1(name)}}),
        (QList<QVariantList>{{QString::fromLatin1(table), QString::fromLatin1(type)}}))
        << name;
  }
  // Retired in the history.
  for (const auto& [kind, name] :
       {std::pair{TKind::Table, "E_HLASENIA"}, std::pair{TKind::Table, "C_OBVODY"},
        std::pair{TKind::View, "V_HLASENIA"}, std::pair{TKind::Generator, "E_HLASENIA_ID"},
        std::pair{TKind::Generator, "C_OBVODY_ID"}, std::pair{TKind::Index, "IDX_E_POVOLENKY_PRIEZVISKO"}})
    EXPECT_FALSE(Names(kind).contains(QString::fromLatin1(name))) << name;
  // A new database converts no surnames until the settings say so.
  EXPECT_EQ(Scalar(QStringLiteral("select cislo from nastavenia where premenna='PRIEZVISKA_VELKYMI'")).toDouble(), 0.0);
}
