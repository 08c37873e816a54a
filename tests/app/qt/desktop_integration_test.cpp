// What the desktop's own tools get from the program: Qt's texts in Chinese, and the main window
// as a screen reader reads it through QAccessible.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTranslator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/qt/accessibility.h"
#include "app/qt/application.h"
#include "app/qt/form_controls.h"
#include "app/qt/form_main.h"
#include "app/qt/qt_translations.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/grid/qt/grid_accessible.h"
#include "controls/timebox/qt/vos_time_box.h"

namespace zelvorn {
namespace {

TApplication& App() { return static_cast<TApplication&>(*QCoreApplication::instance()); }

TEST(QtChineseTextsTest, TranslateTheEditMenuOfAnEditBox) {
  QTranslator* translator = LoadQtChineseTexts(App());
  ASSERT_NE(translator, nullptr);
  QLineEdit edit;
  const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts.append(action->text().section(u'\t', 0, 0));
  }
  QCoreApplication::removeTranslator(translator);
  delete translator;
  EXPECT_EQ(texts.join(u'|').toStdString(),
            "撤消(&U)|重做(&R)|剪切(&T)|复制(&C)|粘贴(&P)|删除|全选");
}

class SilentPlayer final : public IWavePlayer {
 public:
  void PlayAsync(const std::string&) override {}
  void Preload(const std::string&) override {}
};

// The main window as the program builds it, read through QAccessible as a screen reader reads it.
class AccessibilityTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallAccessibility(); }

  void SetUp() override {
    real_player_ = App().SetWavePlayer(std::make_unique<SilentPlayer>());
    form_ = std::make_unique<TForm_main>(App());
    NameForAssistiveTools(*form_);
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }
  void TearDown() override {
    form_.reset();
    App().SetWavePlayer(std::move(real_player_));
  }

  static QAccessibleInterface* Of(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
  }
  QAccessibleInterface* Table() const { return Of(form_->CellGrid1); }
  TCellGrid& Grid() const { return form_->CellGrid1->Grid(); }
  void Paint() const { QCoreApplication::processEvents(); }

  std::unique_ptr<TForm_main> form_;
  std::unique_ptr<IWavePlayer> real_player_;
};

TEST_F(AccessibilityTest, GridIsATableOfCellsNamedByTheirNumbers) {
  form_->ComboBox1->SetItemIndex(1);  // 6×6
  QTest::mouseClick(form_->Button1, Qt::LeftButton);
  QAccessibleInterface* table = Table();
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(table->tableInterface()->rowCount(), 6);
  EXPECT_EQ(table->tableInterface()->columnCount(), 6);
  ASSERT_EQ(table->childCount(), 36);
  for (int index : {0, 7, 35}) {
    const int row = index / 6;
    const int col = index % 6;
    QAccessibleInterface* cell = table->child(index);
    SCOPED_TRACE(index);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell, table->tableInterface()->cellAt(row, col));
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), Grid().Cells(col, row));
    EXPECT_EQ(cell->tableCellInterface()->rowIndex(), row);
    EXPECT_EQ(cell->tableCellInterface()->columnIndex(), col);
    EXPECT_EQ(table->indexOfChild(cell), index);
    EXPECT_EQ(cell->parent(), table);
  }
  EXPECT_EQ(table->tableInterface()->cellAt(6, 0), nullptr);
  EXPECT_EQ(table->tableInterface()->cellAt(0, 6), nullptr);
  EXPECT_EQ(table->child(36), nullptr);
}

TEST_F(AccessibilityTest, CurrentCellIsTheFocusedAndSelectedOne) {
  QTest::mouseClick(form_->Button1, Qt::LeftButton);  // 5×5
  form_->CellGrid1->setFocus();
  QTest::keyClick(form_->CellGrid1, Qt::Key_Down);
  QTest::keyClick(form_->CellGrid1, Qt::Key_Right);
  ASSERT_EQ(Grid().Row(), 1);
  ASSERT_EQ(Grid().Col(), 1);
  QAccessibleInterface* table = Table();
  QAccessibleInterface* cell = table->child(1 * 5 + 1);
  EXPECT_EQ(table->focusChild(), cell);
  EXPECT_TRUE(cell->state().focused);
  EXPECT_TRUE(cell->state().selected);
  EXPECT_FALSE(table->child(0)->state().focused);
  EXPECT_FALSE(table->child(0)->state().selected);
  EXPECT_EQ(table->tableInterface()->selectedCells(), QList<QAccessibleInterface*>{cell});
  form_->Button1->setFocus();
  EXPECT_EQ(table->focusChild(), nullptr);
  EXPECT_FALSE(cell->state().focused);
}

TEST_F(AccessibilityTest, StripControlsHaveTheNamesAndValuesAScreenReaderSays) {
  struct TCase {
    QObject* control;
    const char* name;
    const char* value;
  };
  for (const TCase& c :
       {TCase{form_->Label2, "进度", "0"}, TCase{form_->VosTimeBox1, "用时", "00:00:00"},
        TCase{form_->Button1, "开始训练", ""}, TCase{form_->Label1, "表格", ""}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Of(c.control)->text(QAccessible::Name).toStdString(), c.name);
    EXPECT_EQ(Of(c.control)->text(QAccessible::Value).toStdString(), c.value);
  }
  // The chooser's name on Linux is its text; its caption labels it.
  const auto labels = Of(form_->ComboBox1)->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels.front().first->text(QAccessible::Name).toStdString(), "表格");
}

}  // namespace
}  // namespace zelvorn
