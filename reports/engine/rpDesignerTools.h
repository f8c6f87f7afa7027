#pragma once
#include <QtCore/QList>
#include <QtCore/QString>
#include <QtGui/QImage>
#include <functional>

// A tool the program adds to the report designer: a menu item under the
// designer's extra tools and a button on its extra-tools bar.
struct TrpToolsInfo {
  QString Caption; // a decimal text stands for that engine string
  QImage Bitmap;
  std::function<void()> OnClick;
};

// The designer tools in the order they were added; the designer shows them
// when its window is made.
void rpRegisterTool(const QString& caption, const QImage& bitmap, std::function<void()> onClick);
const QList<TrpToolsInfo>& rpDesignerTools();
void rpClearDesignerTools();
