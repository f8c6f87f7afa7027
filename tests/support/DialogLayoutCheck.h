#pragma once
#include <QtCore/QList>
#include <QtCore/QString>

class QWidget;

// The smallest screen the program is used on; every window, its title bar
// and frame included, must fit it.
inline constexpr int kSmallScreenWidth = 1024, kSmallScreenHeight = 768;

// The shown window fits the small screen, its buttons lie inside it and no
// list is squeezed below the rows it asks to show.
void ExpectFitsTheScreen(const QWidget& form, const QString& name);

// The widgets Tab visits, in its order, from the control that has the focus
// (else the first one Tab reaches): Qt's own choice of the next widget.
QList<QWidget*> TabChain(QWidget& form);

// Tab takes the shown dialog through every control that takes Tab, each
// once, in reading order: top to bottom, left to right, a column to the
// right starting again at its top.
void ExpectTabGoesDownTheDialog(QWidget& form, const QString& name);
