#pragma once

// Registers the report objects of this library with the engine (each class
// once, with its tool-bar bitmap and hint) and creates the hidden rich-text
// editor window. Called once from main() after the engine has started.
void RegisterReportObjects();

// The 16 x 16 tool-bar bitmap of an object class by its resource name
// ("RP_SHAPE", "RP_CHECKBOXVIEW", "RP_ROUNDRECTVIEW", "RP_RICHVIEW", "RP_BARCODEVIEW", "RP_CHARTVIEW",
// "RP_CROSSVIEW").
class QImage;
QImage rpObjectBitmap(const char* name);
