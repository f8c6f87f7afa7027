#include "reports/designer/rpDesignerCommands.h"
#include "core/Exception.h"
#include <QtCore/QHash>

namespace {

using R = TrpCommandRule;

QList<TrpDesignerCommand> MakeDesignerCommands() {
  auto c = [](const char* name, QStringList items, const char* button, int caption, int hint, const char* shortcut,
              R rule = R::Always, bool templateOnly = false, bool toggle = false) {
    return TrpDesignerCommand{QString::fromLatin1(name),
                              std::move(items),
                              QString::fromLatin1(button),
                              caption,
                              hint,
                              QString::fromLatin1(shortcut),
                              rule,
                              templateOnly,
                              toggle};
  };
  auto items = [](std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* n : names)
      list << QString::fromLatin1(n);
    return list;
  };
  return {
      c("New", {}, "FileBtn1", 0, 53087, "", R::Always, true),
      c("NewFromTemplate", items({"N23"}), "", 53155, 0, "Ctrl+N", R::Always, true),
      c("Open", items({"N19"}), "FileBtn2", 53156, 53088, "Ctrl+O", R::Always, true),
      c("Save", items({"N20"}), "FileBtn3", 53157, 53089, "Ctrl+S"),
      c("SaveAs", items({"N17"}), "", 53188, 0, ""),
      c("Dictionary", items({"N42"}), "", 53158, 0, "", R::Always, true),
      c("ReportOptions", items({"N8"}), "", 53159, 0, "", R::Always, true),
      c("PageOptions", items({"N25", "N44"}), "PgB3", 53160, 53101, "", R::Always, true),
      c("Preview", items({"N39"}), "FileBtn4", 53161, 53090, "Ctrl+P", R::Always, true),
      c("Exit", items({"N10"}), "ExitB", 53162, 53106, ""),
      c("Undo", items({"N46"}), "UndoB", 53164, 53094, "Ctrl+Z"),
      c("Redo", items({"N48"}), "RedoB", 53165, 53095, "Ctrl+Y"),
      c("Cut", items({"N11", "N2"}), "CutB", 53166, 53091, "Ctrl+X", R::Selection),
      c("Copy", items({"N12", "N1"}), "CopyB", 53167, 53092, "Ctrl+C", R::Selection),
      c("Paste", items({"N13", "N3"}), "PstB", 53168, 53093, "Ctrl+V", R::Paste),
      c("Delete", items({"N27", "N5"}), "", 53169, 0, "Del", R::Selection),
      c("SelectAll", items({"N28", "N16"}), "SelAllB", 53170, 53098, "Ctrl+A"),
      c("Edit", items({"N36", "N6"}), "", 53171, 0, "", R::OneObject),
      c("AddPage", items({"N29", "N41"}), "PgB1", 53172, 53099, "", R::Always, true),
      c("AddDialogForm", items({"N15", "N45"}), "PgB4", 53192, 53193, "", R::Always, true),
      c("DeletePage", items({"N30", "N43"}), "PgB2", 53173, 53100, "", R::Always, true),
      c("BringToFront", items({"N32"}), "ZB1", 53174, 53096, "", R::Selection),
      c("SendToBack", items({"N33"}), "ZB2", 53175, 53097, "", R::Selection),
      c("ShowGrid", {}, "GB1", 0, 53102, "", R::Always, false, true),
      c("SnapToGrid", {}, "GB2", 0, 53103, "", R::Always, false, true),
      c("FitToGrid", {}, "GB3", 0, 53104, "", R::Selection),
      c("Options", items({"N14"}), "", 53179, 0, ""),
      c("HelpContents", items({"N22"}), "", 53189, 0, "F1"),
      c("HelpTool", items({"N35"}), "HelpBtn", 53190, 53032, "Shift+F1", R::Always, false, true),
      c("About", items({"N34"}), "", 53187, 0, ""),
      // The first extra tool of template mode; its dialog inserts DB fields with their bands.
      c("InsertFields", items({"ExtraTool0"}), "", 55305, 0, "", R::Always, true),
  };
}

} // namespace

const QList<TrpDesignerCommand>& rpDesignerCommands() {
  static const QList<TrpDesignerCommand> commands = MakeDesignerCommands();
  return commands;
}

const TrpDesignerCommand& rpDesignerCommand(const QString& name) {
  for (const TrpDesignerCommand& command : rpDesignerCommands())
    if (command.Name == name) return command;
  throw Exception(QStringLiteral("Unknown designer command %1").arg(name));
}

int rpContextMenuCaptionId(const QString& menuItem) {
  static const QHash<QString, int> captions{{QStringLiteral("N2"), 53148},  {QStringLiteral("N1"), 53149},
                                            {QStringLiteral("N3"), 53150},  {QStringLiteral("N5"), 53151},
                                            {QStringLiteral("N16"), 53152}, {QStringLiteral("N6"), 53153}};
  return captions.value(menuItem, 0);
}
