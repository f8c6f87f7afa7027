#include "reports/objects/rpArray.h"
#include <array>

namespace {

constexpr quint32 kSymbolWeight = 0x100;
constexpr quint32 kDigitWeight = 0x20000;
constexpr quint32 kLetterWeight = 0x30000;
constexpr quint32 kOtherLetterWeight = 0x100000;

const QString& SlovakAlphabet() {
  static const QString alphabet = QStringLiteral("aáäbcčdďeéfghiíjklĺľmnňoóôpqrŕsštťuúvwxyýzž");
  return alphabet;
}

// The weight of a character and, to part characters of one weight, its lower-case code.
struct TKeyWeight {
  quint32 Weight;
  char16_t Code;
};

TKeyWeight ComputeKeyWeight(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x20) return {u, u};
  if (u == 0x20 || u == 0xA0) return {0x20, 0x20};
  if (u == ';') return {0x21, u};
  if (c.isDigit()) return {kDigitWeight + quint32(c.digitValue()), u};
  if (!c.isLetter()) return {kSymbolWeight + u, u};
  const QChar lower = c.toLower();
  const qsizetype slovak = SlovakAlphabet().indexOf(lower);
  if (slovak >= 0) return {kLetterWeight + quint32(slovak) * 16, lower.unicode()};
  const QString decomposed = lower.decomposition();
  const qsizetype base = decomposed.isEmpty() ? -1 : SlovakAlphabet().indexOf(decomposed.front());
  if (base >= 0)
    return {kLetterWeight + quint32(base) * 16 + 8, lower.unicode()}; // after the Slovak forms of its letter
  return {kOtherLetterWeight + lower.unicode(), lower.unicode()};
}

// Latin-1 and Latin Extended-A, where the keys' letters are, from a table.
TKeyWeight KeyWeight(QChar c) {
  static const auto table = [] {
    std::array<TKeyWeight, 0x180> weights{};
    for (char16_t u = 0; u < weights.size(); ++u)
      weights[u] = ComputeKeyWeight(QChar(u));
    return weights;
  }();
  return c.unicode() < table.size() ? table[c.unicode()] : ComputeKeyWeight(c);
}

} // namespace

int rpCompareKeys(const QString& a, const QString& b) {
  const qsizetype n = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const TKeyWeight x = KeyWeight(a[i]), y = KeyWeight(b[i]);
    if (x.Weight != y.Weight) return x.Weight < y.Weight ? -1 : 1;
    if (x.Code != y.Code) return x.Code < y.Code ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// --- key list

int TrpKeyList::LowerBound(const QString& key) const {
  int low = 0, high = Count();
  while (low < high) {
    const int middle = (low + high) / 2;
    if (rpCompareKeys(keys_[middle], key) < 0)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}

int TrpKeyList::IndexOf(const QString& key) const {
  const int at = LowerBound(key);
  return at < Count() && rpCompareKeys(keys_[at], key) == 0 ? at : -1;
}

int TrpKeyList::Add(const QString& key, int number, bool* added) {
  const int at = LowerBound(key);
  const bool present = at < Count() && rpCompareKeys(keys_[at], key) == 0;
  if (added) *added = !present;
  if (!present) {
    keys_.insert(at, key);
    numbers_.insert(at, number);
  }
  return at;
}

void TrpKeyList::Clear() {
  keys_.clear();
  numbers_.clear();
}

// --- table

TrpArray::TCell& TrpArray::Cell(int rowNumber, int columnNumber) {
  std::vector<TCell>& cells = rows_[rowNumber];
  if (columnNumber >= int(cells.size())) cells.resize(columnNumber + 1);
  TCell& cell = cells[columnNumber];
  if (cell.isEmpty()) cell.resize(CellCount + 1);
  return cell;
}

TrpArray::TCell& TrpArray::CellByKeys(const QString& rowKey, const QString& columnKey) {
  auto row = rowNumbers_.constFind(rowKey);
  if (row == rowNumbers_.cend()) {
    bool added = false;
    const int position = Rows.Add(rowKey, int(rows_.size()), &added);
    if (added) rows_.emplace_back();
    row = rowNumbers_.insert(rowKey, Rows.Number(position));
  }
  auto column = columnNumbers_.constFind(columnKey);
  if (column == columnNumbers_.cend())
    column = columnNumbers_.insert(columnKey, Columns.Number(Columns.Add(columnKey, Columns.Count())));
  return Cell(*row, *column);
}

void TrpArray::SetCell(const QString& rowKey, const QString& columnKey, const QVariant& value, int slot) {
  if (slot < -1 || slot >= CellCount) return;
  CellByKeys(rowKey, columnKey)[slot + 1] = value;
}

const TrpArray::TCell* TrpArray::CellAt(int row, int column) const {
  if (row < 0 || column < 0 || row >= Rows.Count() || column >= Columns.Count()) return nullptr;
  const std::vector<TCell>& cells = rows_[Rows.Number(row)];
  const int number = Columns.Number(column);
  return number < int(cells.size()) && !cells[number].isEmpty() ? &cells[number] : nullptr;
}

QVariant TrpArray::GetCell(const QString& rowKey, const QString& columnKey, int slot) const {
  return GetCellByIndex(Rows.IndexOf(rowKey), Columns.IndexOf(columnKey), slot);
}

QVariant TrpArray::GetCellByIndex(int row, int column, int slot) const {
  const TCell* cell = CellAt(row, column);
  return cell && slot >= -1 && slot < CellCount ? cell->at(slot + 1) : QVariant();
}

QList<QVariant> TrpArray::GetCellValues(int row, int column) const {
  const TCell* cell = CellAt(row, column);
  return cell ? cell->mid(1) : QList<QVariant>();
}

void TrpArray::SetCellByIndex(int row, int column, const QVariant& value, int slot) {
  if (row < 0 || column < 0 || slot < -1 || slot >= CellCount) return;
  Cell(Rows.Number(row), Columns.Number(column))[slot + 1] = value;
}

void TrpArray::SetCellValues(int row, int column, const QList<QVariant>& values) {
  if (row < 0 || column < 0) return;
  const bool existed = CellAt(row, column) != nullptr;
  TCell& cell = Cell(Rows.Number(row), Columns.Number(column));
  if (!existed && CellCount > 0) cell[1] = 0;
  for (int slot = 0; slot < CellCount && slot < values.size(); ++slot)
    cell[slot + 1] = values[slot];
}

void TrpArray::Clear() {
  rows_.clear();
  rowNumbers_.clear();
  columnNumbers_.clear();
  Rows.Clear();
  Columns.Clear();
}
