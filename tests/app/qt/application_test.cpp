// The application object as the program runs it: events delivered by Qt through notify().
#define QTEST_QPA_MOUSE_HANDLING  // clicks travel the platform's way, window first
#include "app/qt/application.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/qt/form_controls.h"
#include "app/qt/form_main.h"
#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "platform/qt/cancel_mode.h"
#include "platform/timer.h"
#include "tests/app/qt/recording_boxes.h"

namespace zelvorn {
namespace {

using EKind = TRecordingBoxes::EKind;

TApplication& App() { return static_cast<TApplication&>(*QCoreApplication::instance()); }

template <class TWidget>
TWidget* FindVisibleWindow() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<TWidget*>(window); found != nullptr && found->isVisible()) {
      return found;
    }
  }
  return nullptr;
}

// Shows a window with one button, ready to be clicked.
class TClickWindow {
 public:
  TClickWindow() : button_(&window_) {
    button_.SetCaption("开始训练");
    window_.resize(200, 100);
    window_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  TButton& Button() { return button_; }
  QWidget& Window() { return window_; }

 private:
  QWidget window_;
  TButton button_;
};

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto boxes = std::make_unique<TRecordingBoxes>();
    boxes_ = boxes.get();
    real_boxes_ = App().SetMessageBoxes(std::move(boxes));
  }
  void TearDown() override {
    if (real_boxes_) App().SetMessageBoxes(std::move(real_boxes_));
  }

  // Puts the real boxes back for a test that looks at them.
  void UseRealBoxes() { App().SetMessageBoxes(std::move(real_boxes_)); }

  TRecordingBoxes* boxes_ = nullptr;
  std::unique_ptr<IMessageBoxes> real_boxes_;
};

TEST_F(ApplicationTest, TheTitleComesFromTheExecutableAndTheHiddenWindowCarriesIt) {
  EXPECT_EQ(App().Title(), QStringLiteral("app_tests"));  // the first letter keeps its case
  EXPECT_EQ(App().ApplicationWindow().windowTitle(), App().Title());
  EXPECT_FALSE(App().ApplicationWindow().isVisible());
  const QIcon icon = App().ApplicationWindow().windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(128, 128)});
  // The same pixels as Qt reading the file itself would give the window system.
  const QIcon from_file(QStringLiteral(":/zelvorn/zelvorn.png"));
  EXPECT_EQ(icon.pixmap(QSize(128, 128)).toImage(), from_file.pixmap(QSize(128, 128)).toImage());
}

TEST_F(ApplicationTest, AnExceptionFromAClickHandlerIsReportedAndTheProgramGoesOn) {
  TClickWindow window;
  int clicks = 0;
  window.Button().OnClick = [&] {
    ++clicks;  // a change made before the failure stays made
    if (clicks == 1) StrToInt("");
  };
  QTest::mouseClick(&window.Button(), Qt::LeftButton);
  ASSERT_EQ(boxes_->shown.size(), 1u);
  const auto& report = boxes_->shown.front();
  EXPECT_EQ(report.kind, EKind::kError);
  EXPECT_EQ(report.owner, &App().ApplicationWindow());
  EXPECT_EQ(report.caption, App().Title());
  EXPECT_EQ(report.text, QStringLiteral("'' 不是一个有效的整形值."));

  QTest::mouseClick(&window.Button(), Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(boxes_->shown.size(), 1u);
}

TEST_F(ApplicationTest, AnExceptionFromATimerTickIsReportedAndTheTimerTicksOn) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 1) throw EOutOfResources(messages::kOutOfTimers);
  };
  timer.SetInterval(1);
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  ASSERT_EQ(boxes_->shown.size(), 1u);
  EXPECT_EQ(boxes_->shown[0].kind, EKind::kError);
  EXPECT_EQ(boxes_->shown[0].text, QStringLiteral("可用的计时器不足."));
}

TEST_F(ApplicationTest, WhatIsNoExceptionGetsTheRuntimesReportWithoutEndingTheProgram) {
  QObject context;
  QTimer::singleShot(0, &context, [] { throw 42; });
  QTimer::singleShot(0, &context, [] { throw std::runtime_error("disk full"); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes_->shown.size() == 2; }, 5000));
  EXPECT_EQ(boxes_->shown[0].kind, EKind::kApplicationError);
  EXPECT_EQ(boxes_->shown[0].text,
            QStringLiteral("异常 int 发生在模块 app_tests 中的 0000000000000000 位置.\n"));
  EXPECT_EQ(boxes_->shown[1].kind, EKind::kError);
  EXPECT_EQ(boxes_->shown[1].text, QStringLiteral("disk full."));
}

// Receives the cancel-mode event, as a control in the middle of a drag does.
class TCapturingWidget : public QWidget {
 public:
  int cancels = 0;
  bool fail_on_cancel = false;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == CancelModeEventType()) {
      ++cancels;
      // Uncaught on purpose: notify() is the net for this one.
      if (fail_on_cancel) throw EInvalidGridOperation(messages::kGridIndexOutOfRange);
      return true;
    }
    return QWidget::event(event);
  }
};

TEST_F(ApplicationTest, TheWindowHoldingTheMouseIsToldToCancelAndLosesTheCapture) {
  TCapturingWidget widget;
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  widget.grabMouse();
  ASSERT_EQ(QWidget::mouseGrabber(), &widget);
  QObject context;
  QTimer::singleShot(0, &context, [] { throw EListError("列表索引越界 (7)"); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes_->shown.empty(); }, 5000));
  EXPECT_EQ(widget.cancels, 1);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(boxes_->shown[0].text, QStringLiteral("列表索引越界 (7)"));  // ")" sorts below "."
}

TEST_F(ApplicationTest, AFailureDuringCancelModeIsReportedAfterTheFirstAndTheProgramGoesOn) {
  TCapturingWidget widget;
  widget.fail_on_cancel = true;
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  widget.grabMouse();
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] {
    if (++ticks == 1) throw EListError("列表索引越界 (7)");
  };
  timer.SetInterval(1);
  timer.SetEnabled(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000));
  timer.SetEnabled(false);
  ASSERT_EQ(boxes_->shown.size(), 2u);
  EXPECT_EQ(boxes_->shown[0].text, QStringLiteral("列表索引越界 (7)"));
  EXPECT_EQ(boxes_->shown[1].text, QStringLiteral("网格索引越界."));
  EXPECT_EQ(widget.cancels, 1);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ApplicationTest, ActivationAndFocusAreBackWhereTheyWereAfterTheBox) {
  QWidget window;
  QLineEdit first(&window);
  QLineEdit second(&window);
  second.move(0, 40);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  second.setFocus();
  QWidget other;
  // While the box is up, a tick moves the focus within the window, and the box itself takes the
  // activation.
  boxes_->during_error = [&] {
    first.setFocus();
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
  };
  QObject context;
  QTimer::singleShot(0, &context, [] { throw Exception("x"); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes_->shown.empty(); }, 5000));
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  EXPECT_EQ(QApplication::focusWidget(), &second);
}

TEST_F(ApplicationTest, TheInformationBoxLetsTicksAndClicksThroughUntilItIsDismissed) {
  UseRealBoxes();
  TClickWindow window;
  int clicks = 0;
  QObject::connect(&window.Button(), &QPushButton::clicked, [&] { ++clicks; });
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(1);
  timer.SetEnabled(true);

  const QString text = QStringLiteral("成功通过训练，你在30秒钟完成任务。本次成绩为：良好");
  QMessageBox* seen = nullptr;
  int ticks_when_shown = 0;
  QString copied;
  int give_up_turns = 0;
  QTimer driver;  // plays the person in front of the box
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QMessageBox* box = FindVisibleWindow<QMessageBox>();
    if (box == nullptr) return;
    if (seen == nullptr) {
      seen = box;
      ticks_when_shown = ticks;
      QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
      copied = QApplication::clipboard()->text();
      QTest::mouseClick(&window.Button(), Qt::LeftButton);
      EXPECT_EQ(box->windowTitle(), QStringLiteral("提示"));
      EXPECT_EQ(box->text(), text);
      EXPECT_EQ(box->icon(), QMessageBox::Information);
      EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
      EXPECT_EQ(box->button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
      EXPECT_EQ(box->windowModality(), Qt::NonModal);
      EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
      EXPECT_EQ(box->parentWidget(), &App().ApplicationWindow());
    } else if ((ticks >= ticks_when_shown + 3 && clicks == 1) || ++give_up_turns > 1000) {
      box->button(QMessageBox::Ok)->click();  // giving up fails the checks below, not hangs
    }
  });
  driver.start(5);
  App().ShowInfoMessage(text.toStdString());
  driver.stop();

  ASSERT_NE(seen, nullptr);
  EXPECT_EQ(clicks, 1);
  EXPECT_GE(ticks, ticks_when_shown + 3);
  EXPECT_EQ(copied, QStringLiteral("---------------------------\n提示\n"
                                   "---------------------------\n") +
                        text +
                        QStringLiteral("\n---------------------------\n确定\n"
                                       "---------------------------\n"));
  EXPECT_EQ(FindVisibleWindow<QMessageBox>(), nullptr);
}

TEST_F(ApplicationTest, TheErrorBoxIsModalToTheApplicationUntilDismissed) {
  UseRealBoxes();
  TClickWindow window;
  int clicks = 0;
  QObject::connect(&window.Button(), &QPushButton::clicked, [&] { ++clicks; });
  bool checked = false;
  QTimer driver;
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QMessageBox* box = FindVisibleWindow<QMessageBox>();
    if (box == nullptr || checked) return;
    checked = true;
    EXPECT_EQ(box->windowTitle(), App().Title());
    EXPECT_EQ(box->text(), QStringLiteral("网格索引越界."));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->parentWidget(), &App().ApplicationWindow());
    QTest::mouseClick(&window.Button(), Qt::LeftButton);  // blocked by the box
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("\n网格索引越界.\n")));
    box->button(QMessageBox::Ok)->click();
  });
  driver.start(5);
  QObject context;
  QTimer::singleShot(0, &context,
                     [] { throw EInvalidGridOperation(messages::kGridIndexOutOfRange); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return checked; }, 5000));
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(FindVisibleWindow<QMessageBox>(), nullptr);
}

TEST_F(ApplicationTest, TheMainWindowOpensCentredAndWithOnlyACloseButton) {
  TForm_main form(App());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Zelvorn"));
  EXPECT_EQ(form.size(), QSize(568, 604));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form.pos(), QPoint(screen.x() + (screen.width() - 568) / 2,
                               screen.y() + (screen.height() - 604) / 2));
  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form.minimumSize(), QSize(0, 0));  // resizable
  EXPECT_EQ(form.maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  EXPECT_EQ(form.font().pixelSize(), 16);

  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const QImage image = form.grab().toImage();
  const QColor face = App().palette().color(QPalette::Button);
  for (const QPoint p : {QPoint(100, 60), QPoint(280, 40), QPoint(560, 60)}) {  // the top strip
    EXPECT_EQ(image.pixelColor(p), face) << p.x() << "," << p.y();
  }
}

}  // namespace
}  // namespace zelvorn
