#include "outputs/results_list_box.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "tests/window_fixture.h"

namespace sho {
namespace {

using testing::Window;

// The widest of the list's entries in the drop-down's font, measured one by one.
int WidestEntryWidth(const QComboBox& box) {
  const QFontMetrics metrics(box.view()->font());
  int widest = 0;
  for (int index = 0; index < box.count(); ++index) {
    widest = std::max(widest, metrics.horizontalAdvance(box.itemText(index)));
  }
  return widest;
}

TEST_F(Window, TheDropDownShowsEveryEntryWhole) {
  TypeEntries("-1.5", "30", "0.01");
  ClickRun();
  form.Cmby->showPopup();
  QAbstractItemView* list = form.Cmby->view();
  ASSERT_TRUE(list->isVisible());
  EXPECT_GT(list->window()->width(), form.Cmby->width());
  EXPECT_EQ(list->textElideMode(), Qt::ElideNone);
  // An entry's text stands between margins of the style's, one on either side.
  const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  const int needed = WidestEntryWidth(*form.Cmby) + margins;
  if (needed + 50 < form.screen()->availableGeometry().width()) {  // room for frame and scroll bar
    EXPECT_GE(list->viewport()->width(), needed);
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
  } else {  // a screen of few pixels of twice the density: it scrolls, as on any narrow screen
    QCoreApplication::processEvents();
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
  }
  form.Cmby->hidePopup();

  // The widest entry, found without laying out every entry, is the widest measured one by one;
  // here with exponents in the numbers and a shorter list.
  TypeEntries("3e-5", "-7.5", "0.1");
  ClickRun();
  DismissError();
  ASSERT_LT(form.Cmby->count(), 10000);
  ASSERT_NE(form.Cmby->itemText(form.Cmby->count() - 1).indexOf("E+"), -1);
  const QFontMetricsF metrics(list->font());
  const int widest = ResultsListBox::WidestEntry(form.Results(), metrics);
  EXPECT_EQ(QFontMetrics(list->font()).horizontalAdvance(form.Cmby->itemText(widest)),
            WidestEntryWidth(*form.Cmby));
}

TEST_F(Window, WhereTheScreenIsTooNarrowTheDropDownScrollsSideways) {
  TypeEntries("-1.5", "30", "0.01");
  ClickRun();
  QAbstractItemView* list = form.Cmby->view();
  QFont large = form.Cmby->font();
  large.setPixelSize(40);  // entries over 1,000 pixels wide
  form.Cmby->setFont(large);
  const QRect screen = form.screen()->availableGeometry();
  ASSERT_GT(WidestEntryWidth(*form.Cmby), screen.width());

  form.Cmby->showPopup();
  QCoreApplication::processEvents();  // the list lays its entries out
  ASSERT_TRUE(list->isVisible());
  EXPECT_LE(list->window()->width(), screen.width());
  const QScrollBar* sideways = list->horizontalScrollBar();
  EXPECT_TRUE(sideways->isVisible());
  EXPECT_GE(sideways->maximum() + list->viewport()->width(), WidestEntryWidth(*form.Cmby));
}

TEST_F(Window, AnEntryChosenFromTheListShowsFromItsFirstCharacter) {
  TypeEntries("-1.5", "30", "0.01");
  ClickRun();
  form.Cmby->showPopup();
  QAbstractItemView* list = form.Cmby->view();
  const QModelIndex fourth = list->model()->index(3, 0);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(fourth).center());
  ASSERT_FALSE(list->isVisible());
  EXPECT_EQ(form.Cmby->currentIndex(), 3);
  QLineEdit* edit = form.Cmby->lineEdit();
  EXPECT_EQ(edit->text(), form.Cmby->itemText(3));
  EXPECT_EQ(edit->cursorPosition(), 0);
  // The start of the text is in sight: the cursor stands at the left edge.
  EXPECT_LT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), 10);

  // The same when stepping through the entries with the arrow keys.
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_Down);
  EXPECT_EQ(form.Cmby->currentIndex(), 4);
  EXPECT_EQ(edit->cursorPosition(), 0);
}

}  // namespace
}  // namespace sho
