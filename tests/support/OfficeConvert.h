#pragma once
#include <QtCore/QByteArray>
#include <QtCore/QString>

// True when LibreOffice ("soffice") is installed.
bool OfficeAvailable();
// Converts a file with LibreOffice as a user's "Save as" would ("rtf",
// "txt:Text (encoded):UTF8", ...) into `outDir` (which also holds the
// conversion's own profile) and answers the converted file's bytes; empty
// when the conversion failed. `inFilter` names the import filter when the
// file's kind alone does not choose the right one ("HTML (StarWriter)").
QByteArray ConvertInLibreOffice(const QString& file, const QString& format, const QString& outDir,
                                const QString& inFilter = {});
