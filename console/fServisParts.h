#pragma once
#include "controls/IBCheckBox.h"
#include <QtWidgets/QApplication>

// Small pieces the service form's pages share.

// A check box whose caption stands before the box.
inline TIBCheckBox* CheckBox(QWidget* parent, const QString& name, const QString& caption) {
  auto* box = new TIBCheckBox(caption, parent);
  box->setObjectName(name);
  box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

// The cursor of a statement that runs on the server, for as long as it runs.
struct TSqlWaitCursor {
  TSqlWaitCursor() { QApplication::setOverrideCursor(Qt::BusyCursor); }
  ~TSqlWaitCursor() { QApplication::restoreOverrideCursor(); }
  TSqlWaitCursor(const TSqlWaitCursor&) = delete;
  TSqlWaitCursor& operator=(const TSqlWaitCursor&) = delete;
};
