#pragma once

// The designer's program start: the engine opens TrpDesignerForm for its
// designer window, the insertion defaults are set and the report windows
// keep their places under "Software\ZiviVudire\" + the application title.
void RegisterReportDesigner();
