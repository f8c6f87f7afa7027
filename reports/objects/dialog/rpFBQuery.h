#pragma once
#include "db/IBFieldType.h"
#include "reports/engine/rpVariables.h"
#include "reports/objects/dialog/rpFBDataset.h"

// The eleven parameter types in the order templates store and the parameter
// editor offers them; a stored index beyond them (11) means none of them.
struct TrpParamType {
  const char* Name;
  TIBFieldType Type;
};
constexpr int kParamTypeCount = 11;
extern const TrpParamType rpParamTypeTable[kParamTypeCount];
// The index of the type in the table; kParamTypeCount when it is none of them.
int rpParamTypeIndex(TIBFieldType type);
// What an expression parameter takes while designing: "01.01.00" for dates
// and date-times, "00:00" for times, "0" otherwise.
QString rpDesignParamText(TIBFieldType type);

// The report's own SQL query. Each parameter either takes the field of the
// same name from the data source's current row (a master parameter) or
// carries a report expression evaluated at every open (an expression
// parameter); while designing expression parameters take placeholders.
class TrpFBQuery : public TrpFBDataset {
public:
  TrpFBQuery();

  void WriteProperty(const QString& name, const QVariant& value) override;
  QVariant ReadProperty(const QString& name) override;
  QVariant CallMethod(TrpRunContext& run, const QString& name, const QVariant& a1, const QVariant& a2,
                      const QVariant& a3) override;
  void ListProperties() override;
  void AfterLoad() override;
  void LoadFromStream(TBinaryReader& stream) override;
  void SaveToStream(TBinaryWriter& stream) override;
  // SQL.text and, with parameters, one Propdata holding pLeft, pTop and Params.
  void WriteXmlElement(QString& element) override;

  QStringList SQL() const;
  // Replaces the statement; parameters are made from its markers.
  void SetSQL(const QStringList& lines);

  // Parameters by position in the query's list.
  int ParamCount() const;
  bool IsExpressionParam(int i) const;
  void SetExpressionParam(int i, bool on);
  QString GetParamExpression(int i) const;
  void SetParamExpression(int i, const QString& expression);
  TrpVariables ParamExpressions;

  // Sets every expression parameter's value (the query's before-open step).
  void BindParams();

  // Two bytes of count, then per parameter its type index, expression flag and expression.
  void WriteParams(TBinaryWriter& stream);
  void ReadParams(TBinaryReader& stream);
  // The component-stream bytes of pLeft, pTop and Params, as the XML element carries them.
  QByteArray PropertyData() const;

  // The designer's editors.
  void EditSQL();
  void EditParams();

private:
  class TIBParam& Param(int i) const;
};
