#include "reports/designer/rpDesignerSettings.h"
#include "reports/engine/ui/rpDock.h"
#include <initializer_list>

namespace {

const QString kDesignerForm = QStringLiteral("TrpDesignerForm");
const QString kInspectorForm = QStringLiteral("TrpInspForm");
const QString kFieldsForm = QStringLiteral("TrpInsFieldsForm");

int ReadChoice(const QString& key, const QString& name, std::initializer_list<int> allowed, int fallback) {
  const int value = rpRegistryReadInt(key, name, fallback);
  for (int candidate : allowed)
    if (value == candidate) return value;
  return fallback;
}

} // namespace

QString rpDesignerFormKey(const QString& className) {
  return rpRegistryRoot() + QStringLiteral("\\Form\\") + className;
}

void TrpDesignerSettings::Read() {
  const TrpDesignerSettings defaults;
  const QString key = rpDesignerFormKey(kDesignerForm);
  // A stored 0 means the finest grid.
  GridSize = rpRegistryReadInt(key, QStringLiteral("GridSize"), defaults.GridSize) == 0
                 ? 4
                 : ReadChoice(key, QStringLiteral("GridSize"), {4, 8, 18}, defaults.GridSize);
  GridAlign = rpRegistryReadBool(key, QStringLiteral("GridAlign"), defaults.GridAlign);
  GridShow = rpRegistryReadBool(key, QStringLiteral("GridShow"), defaults.GridShow);
  Units = TrpDesignerUnits(ReadChoice(key, QStringLiteral("Units"), {0, 1, 2}, int(defaults.Units)));
  GrayButtons = rpRegistryReadBool(key, QStringLiteral("GrayButtons"), defaults.GrayButtons);
  EditAfterInsert = rpRegistryReadBool(key, QStringLiteral("EditAfterInsert"), defaults.EditAfterInsert);
  Selection = ReadChoice(key, QStringLiteral("Selection"), {0, 1}, defaults.Selection);
  PagePosition = ReadChoice(key, QStringLiteral("PagePosition"), {3, 4, 5}, defaults.PagePosition);
  BandTitles = rpRegistryReadBool(key, QStringLiteral("BandTitles"), defaults.BandTitles);
  LocalizedPropNames = rpRegistryReadBool(key, QStringLiteral("LocalizedPropNames"), defaults.LocalizedPropNames);
  UnlimitedHeight = rpRegistryReadBool(key, QStringLiteral("UnlimitedHeight"), defaults.UnlimitedHeight);
  DisableUndo = rpRegistryReadBool(key, QStringLiteral("DisableUndo"), defaults.DisableUndo);
  SyntaxHighlight = rpRegistryReadBool(key, QStringLiteral("SyntaxHighlight"), defaults.SyntaxHighlight);
  const QString inspector = rpDesignerFormKey(kInspectorForm);
  InspectorSplitPos = rpRegistryReadInt(inspector, QStringLiteral("SplitPos"), defaults.InspectorSplitPos);
  if (InspectorSplitPos < 20) InspectorSplitPos = defaults.InspectorSplitPos;
  InspectorVisible = rpRegistryReadBool(inspector, QStringLiteral("isVisible"), defaults.InspectorVisible);
  FieldsWindowVisible =
      rpRegistryReadBool(rpDesignerFormKey(kFieldsForm), QStringLiteral("isVisible"), defaults.FieldsWindowVisible);
}

void TrpDesignerSettings::Write() const {
  const QString key = rpDesignerFormKey(kDesignerForm);
  rpRegistryWriteInt(key, QStringLiteral("GridSize"), GridSize);
  rpRegistryWriteBool(key, QStringLiteral("GridAlign"), GridAlign);
  rpRegistryWriteBool(key, QStringLiteral("GridShow"), GridShow);
  rpRegistryWriteInt(key, QStringLiteral("Units"), int(Units));
  rpRegistryWriteBool(key, QStringLiteral("GrayButtons"), GrayButtons);
  rpRegistryWriteBool(key, QStringLiteral("EditAfterInsert"), EditAfterInsert);
  rpRegistryWriteInt(key, QStringLiteral("Selection"), Selection);
  rpRegistryWriteInt(key, QStringLiteral("PagePosition"), PagePosition);
  rpRegistryWriteBool(key, QStringLiteral("BandTitles"), BandTitles);
  rpRegistryWriteBool(key, QStringLiteral("LocalizedPropNames"), LocalizedPropNames);
  rpRegistryWriteBool(key, QStringLiteral("UnlimitedHeight"), UnlimitedHeight);
  rpRegistryWriteBool(key, QStringLiteral("DisableUndo"), DisableUndo);
  rpRegistryWriteBool(key, QStringLiteral("SyntaxHighlight"), SyntaxHighlight);
  const QString inspector = rpDesignerFormKey(kInspectorForm);
  rpRegistryWriteInt(inspector, QStringLiteral("SplitPos"), InspectorSplitPos);
  rpRegistryWriteBool(inspector, QStringLiteral("isVisible"), InspectorVisible);
  rpRegistryWriteBool(rpDesignerFormKey(kFieldsForm), QStringLiteral("isVisible"), FieldsWindowVisible);
}

TrpTextEditorFonts TrpTextEditorFonts::Read() {
  const TrpTextEditorFonts defaults;
  const QString key = rpDesignerFormKey(kDesignerForm);
  TrpTextEditorFonts fonts;
  fonts.TextFontName = rpRegistryReadText(key, QStringLiteral("TextFontName"), defaults.TextFontName);
  fonts.TextFontSize = rpRegistryReadInt(key, QStringLiteral("TextFontSize"), defaults.TextFontSize);
  fonts.ScriptFontName = rpRegistryReadText(key, QStringLiteral("ScriptFontName"), defaults.ScriptFontName);
  fonts.ScriptFontSize = rpRegistryReadInt(key, QStringLiteral("ScriptFontSize"), defaults.ScriptFontSize);
  fonts.UseDefaultFont = rpRegistryReadBool(key, QStringLiteral("UseDefaultFont"), defaults.UseDefaultFont);
  return fonts;
}

void TrpTextEditorFonts::Write() const {
  const QString key = rpDesignerFormKey(kDesignerForm);
  rpRegistryWriteText(key, QStringLiteral("TextFontName"), TextFontName);
  rpRegistryWriteInt(key, QStringLiteral("TextFontSize"), TextFontSize);
  rpRegistryWriteText(key, QStringLiteral("ScriptFontName"), ScriptFontName);
  rpRegistryWriteInt(key, QStringLiteral("ScriptFontSize"), ScriptFontSize);
  rpRegistryWriteBool(key, QStringLiteral("UseDefaultFont"), UseDefaultFont);
}
