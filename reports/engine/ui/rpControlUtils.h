#pragma once
#include <QtCore/QList>
#include <QtCore/QPoint>

class QIcon;
class QWidget;

// Enables or disables the controls of a report dialog page and shows the
// state in their colours: a label's text turns window text or grey, an input
// control's background window or button face.
void rpEnableControls(const QList<QWidget*>& controls, bool enabled);

// The control under `point` (in `parent`'s coordinates): the topmost visible
// child whose bounds contain it, searched in a container's own children first;
// nullptr when none.
QWidget* rpControlAtPos(QWidget* parent, const QPoint& point);

// The printer picture of the printer lists (18 x 16).
QIcon rpPrinterIcon();
