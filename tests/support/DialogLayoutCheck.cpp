#include "tests/support/DialogLayoutCheck.h"
#include <QtCore/QSet>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QWidget>
#include <gtest/gtest.h>

namespace {

// The window's title bar and frame, which the screen must hold too.
constexpr int kFrameWidth = 8, kFrameHeight = 32;
// Controls count as one line within this many pixels of each other.
constexpr int kRowTolerance = 6;

QWidget* DeepestProxy(QWidget* w) {
  QWidget* proxy = w->focusProxy();
  while (proxy && proxy->focusProxy())
    proxy = proxy->focusProxy();
  return proxy;
}

QString Describe(const QList<QWidget*>& chain) {
  QStringList names;
  for (const QWidget* w : chain)
    names.append(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
  return names.join(QStringLiteral(" > "));
}

QRect PlaceIn(const QWidget& form, const QWidget& w) { return {w.mapTo(&form, QPoint(0, 0)), w.size()}; }

} // namespace

void ExpectFitsTheScreen(const QWidget& form, const QString& name) {
  const std::string what = name.toStdString();
  EXPECT_LE(form.width() + kFrameWidth, kSmallScreenWidth) << what << " " << form.width();
  EXPECT_LE(form.height() + kFrameHeight, kSmallScreenHeight) << what << " " << form.height();
  for (const QAbstractItemView* list : form.findChildren<QAbstractItemView*>())
    if (list->isVisibleTo(&form))
      EXPECT_GE(list->height(), list->minimumHeight()) << what << " " << list->objectName().toStdString();
  for (const QAbstractButton* button : form.findChildren<QAbstractButton*>())
    if (button->isVisibleTo(&form))
      EXPECT_TRUE(form.rect().contains(PlaceIn(form, *button))) << what << " " << button->objectName().toStdString();
}

QList<QWidget*> TabChain(QWidget& form) {
  // A widget with a focus proxy hands the focus to its proxy; a composite
  // control (a combo and its edit) counts once.
  auto target = [&form](QWidget* w) -> QWidget* {
    QWidget* proxy = DeepestProxy(w);
    QWidget* taker = proxy ? proxy : w;
    const bool composite = proxy && proxy->isAncestorOf(w);
    const bool takes =
        (taker->focusPolicy() & Qt::TabFocus) && !composite && w->isVisibleTo(&form) && w->isEnabled() && w != &form;
    return takes ? taker : nullptr;
  };
  QWidget* first = form.focusWidget();
  for (QWidget* w = form.nextInFocusChain(); !first && w != &form; w = w->nextInFocusChain())
    first = target(w);
  if (!first) return {};
  QList<QWidget*> chain{first};
  QWidget* at = first;
  // Each step goes from the widget that has the focus to the next candidate.
  for (int steps = 0; steps < 200; ++steps) {
    QWidget* next = nullptr;
    for (QWidget* w = at->nextInFocusChain(); !next && w != at; w = w->nextInFocusChain())
      if (QWidget* t = target(w); t && t != at) next = t;
    if (!next || chain.contains(next)) break;
    chain.append(next);
    at = next;
  }
  return chain;
}

void ExpectTabGoesDownTheDialog(QWidget& form, const QString& name) {
  const std::string what = name.toStdString();
  const QList<QWidget*> chain = TabChain(form);
  ASSERT_FALSE(chain.isEmpty()) << what;
  EXPECT_EQ(QSet<QWidget*>(chain.begin(), chain.end()).size(), chain.size()) << what;
  for (QWidget* w : form.findChildren<QWidget*>())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&form) && w->isEnabled() && !w->focusProxy())
      EXPECT_TRUE(chain.contains(w)) << what << ": Tab never reaches " << w->objectName().toStdString() << " in "
                                     << Describe(chain).toStdString();
  // The next control is further down, or on the same line to the right, or
  // at the top of a column to the right.
  for (int i = 1; i < chain.size(); ++i) {
    const QRect a = PlaceIn(form, *chain[i - 1]), b = PlaceIn(form, *chain[i]);
    const bool sameLine = std::abs(b.top() - a.top()) <= kRowTolerance;
    const bool onward = sameLine ? b.left() > a.left() : b.top() > a.top() || b.left() > a.right();
    EXPECT_TRUE(onward) << what << ": " << chain[i - 1]->objectName().toStdString() << " -> "
                        << chain[i]->objectName().toStdString() << " in " << Describe(chain).toStdString();
  }
}
