#pragma once
#include "core/DataSet.h"
#include <QtCore/QDate>
#include <algorithm>
#include <functional>

// A read-only data set over rows kept in the test, with the filter and sort
// that a register form would put into its query; Refresh reopens it.
class TRowsDataSet : public TDataSet {
public:
  QList<TFieldDef> defs;
  QList<QVariantList> rows;
  std::function<bool(const QVariantList&)> filter;
  int sortField = -1;
  bool descending = false;

  void Refresh() {
    Close();
    Open();
  }

protected:
  void DoOpen(QList<TFieldDef>& out) override {
    out = defs;
    shown_.clear();
    for (const QVariantList& row : rows)
      if (!filter || filter(row)) shown_ << row;
    if (sortField >= 0)
      std::stable_sort(shown_.begin(), shown_.end(), [this](const QVariantList& a, const QVariantList& b) {
        const auto order = QVariant::compare(a[sortField], b[sortField]);
        return descending ? order == QPartialOrdering::Greater : order == QPartialOrdering::Less;
      });
  }
  void DoClose() override { shown_.clear(); }
  int DoRecordCount() const override { return int(shown_.size()); }
  QVariant DoValue(int row, int field) const override { return shown_[row][field]; }

private:
  QList<QVariantList> shown_;
};

// Seven members: JEDIN, PRIEZVISKO, MENO, NARODENY (date), POZNAMKA (blob).
inline void FillMembers(TRowsDataSet& ds) {
  ds.defs = {{QStringLiteral("JEDIN"), TFieldType::Integer},
             {QStringLiteral("PRIEZVISKO"), TFieldType::String, 30},
             {QStringLiteral("MENO"), TFieldType::String, 20},
             {QStringLiteral("NARODENY"), TFieldType::Date},
             {QStringLiteral("POZNAMKA"), TFieldType::Blob}};
  const struct {
    int key;
    const char* surname;
    const char* name;
    QDate born;
  } members[] = {{11, "Adamec", "Ján", QDate(1970, 1, 5)},    {12, "Baláž", "Peter", QDate(1981, 3, 2)},
                 {13, "Bartoš", "Ivan", QDate(1990, 7, 30)},  {14, "Ďurčo", "Ľudovít", QDate(1966, 11, 11)},
                 {15, "Kováč", "Michal", QDate(1975, 5, 20)}, {16, "Kováčik", "Juraj", QDate(2001, 2, 14)},
                 {17, "Kováčová", "Anna", QDate(1959, 9, 9)}};
  ds.rows.clear();
  for (const auto& m : members)
    ds.rows << QVariantList{m.key, QString::fromUtf8(m.surname), QString::fromUtf8(m.name), m.born,
                            QByteArray("\x01\x02")};
}
