#include "reports/designer/rpDesignerHelp.h"
#include <QtCore/QHash>

namespace {

const QHash<QString, int>& ControlTags() {
  static const QHash<QString, int> tags = [] {
    QHash<QString, int> t;
    const std::pair<const char*, int> named[] = {
        {"FileBtn1", 40}, {"FileBtn2", 41}, {"FileBtn3", 42}, {"FileBtn4", 43}, {"CutB", 44}, {"CopyB", 45},
        {"PstB", 46},     {"UndoB", 47},    {"RedoB", 48},    {"ZB1", 49},      {"ZB2", 50},  {"SelAllB", 51},
        {"PgB1", 52},     {"PgB4", 70},     {"PgB2", 53},     {"PgB3", 54},     {"GB1", 55},  {"GB2", 56},
        {"GB3", 57},      {"ExitB", 58},    {"C2", 7},        {"C3", 8},        {"FnB1", 9},  {"FnB2", 10},
        {"FnB3", 18},     {"ClB2", 17},     {"HlB1", 59},     {"AlB1", 11},     {"AlB3", 13}, {"AlB2", 12},
        {"AlB8", 22},     {"AlB6", 15},     {"AlB5", 15},     {"AlB7", 15},     {"AlB4", 14}, {"FrB1", 1},
        {"FrB2", 2},      {"FrB3", 3},      {"FrB4", 4},      {"FrB5", 20},     {"FrB6", 21}, {"ClB1", 5},
        {"ClB3", 19},     {"C4", 6}};
    for (const auto& [name, tag] : named)
      t.insert(QString::fromLatin1(name), tag);
    for (int i = 1; i <= 10; ++i)
      t.insert(QStringLiteral("Align%1").arg(i), 60);
    for (int i = 1; i <= 6; ++i)
      t.insert(QStringLiteral("rpSpeedButton%1").arg(i), 24 + i);
    return t;
  }();
  return tags;
}

// The palette's own tools by name with their tags.
const QHash<QString, int>& PaletteTags() {
  static const QHash<QString, int> tags{{QStringLiteral("OB1"), -1}, {QStringLiteral("OB2"), 0},
                                        {QStringLiteral("OB3"), 2},  {QStringLiteral("OB4"), 1},
                                        {QStringLiteral("OB5"), 3},  {QStringLiteral("OB6"), 4}};
  return tags;
}

} // namespace

int rpDesignerHelpTopic(const QString& controlName) {
  if (PaletteTags().contains(controlName)) return PaletteTags().value(controlName) + 430;
  if (controlName.startsWith(QLatin1String("AddIn"))) return 5 + 430;
  if (controlName.startsWith(QLatin1String("ExtraTool"))) return 36 + 400;
  return ControlTags().value(controlName, 0) + 400;
}
