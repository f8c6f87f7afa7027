#pragma once
#include "reports/designer/rpDesignerUnits.h"

// The designer's settings kept per user below the report registry root,
// section "Form\TrpDesignerForm" (the inspector's and the fields window's
// values in their own sections). A value out of its range reads as its default.
struct TrpDesignerSettings {
  int GridSize = 4; // 4, 8 or 18; one step for both axes
  bool GridAlign = true;
  bool GridShow = true;
  TrpDesignerUnits Units = TrpDesignerUnits::Pixels;
  bool GrayButtons = false;
  bool EditAfterInsert = true;
  int Selection = 1;    // 1 objects drawn whole while dragged, 0 outlines only
  int PagePosition = 5; // 3 left, 4 right, 5 centred
  bool BandTitles = true;
  bool LocalizedPropNames = false;
  bool UnlimitedHeight = false;
  bool DisableUndo = false;
  bool SyntaxHighlight = true;
  int InspectorSplitPos = 75; // at least 20
  bool InspectorVisible = true;
  bool FieldsWindowVisible = true;

  void Read();
  void Write() const;
};

// The fonts of the text and script editors, in the designer's section as
// texts (flags "1" or "0"); the designer options dialog writes them.
struct TrpTextEditorFonts {
  QString TextFontName = QStringLiteral("Arial");
  int TextFontSize = 10;
  QString ScriptFontName = QStringLiteral("Courier New");
  int ScriptFontSize = 10;
  bool UseDefaultFont = true; // a text object's editor shows the object's font

  static TrpTextEditorFonts Read();
  void Write() const;
};

// The registry key of a window's values: root + "\Form\" + class name.
QString rpDesignerFormKey(const QString& className);
