#pragma once
#include <QtCore/QRect>
#include <QtCore/QString>
#include <QtCore/QStringList>

class TrpDesigner;

// The rules of the designer's file commands, without their dialogs.

// The folder of templates for new reports: the component's TemplateDir,
// else the program's folder; always with its trailing separator.
QString rpTemplateFolder(const TrpDesigner* designer);
// The template files (".rpt", in any case, files only) of the folder, full
// paths ordered by their names without the extension.
QStringList rpTemplateFiles(const QString& folder);
// The file name with its extension replaced ("x.rpf" for "x" and "x.rp3" alike).
QString rpWithExtension(const QString& fileName, const QString& extension);
// Where a template saved as `fileName` goes: into the template folder under
// its file part when one is set, with the extension ".rpt".
QString rpTemplateTarget(const QString& fileName, const QString& templateDir);
// The kinds of files save as writes, in the order of its filter.
enum class TrpSaveKind { Template = 1, XmlReport = 2, NewReportTemplate = 3, Dictionary = 4 };
// The kind of a chosen filter of the save dialog (1 to 4; other values: the template).
TrpSaveKind rpSaveKindOfFilter(int filterIndex);
// Where the picture editor draws a picture of that size: centred at its
// own size when it fits the area, else stretched over the whole area.
QRect rpPicturePreviewRect(QSize picture, QSize area);
