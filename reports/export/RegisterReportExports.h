#pragma once

// Gives every print form the export filters (the page-exact PDF, HTML, RTF,
// WMF and EMF, text, CSV, HTML, RTF, HTML table, spreadsheet workbook, XML
// spreadsheet, dot-matrix text) with the print form's settings, so the
// preview's Save offers them. Called from main().
void RegisterReportExports();
