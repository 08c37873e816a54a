#include "app/qt/message_boxes.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>

#include "app/application_texts.h"
#include "platform/error_boundary.h"

namespace zelvorn {
namespace {

const QString kOkText = QStringLiteral("确定");

}  // namespace

TCopyableMessageBox::TCopyableMessageBox(Icon icon, const QString& caption, const QString& text,
                                         QWidget* owner)
    : QMessageBox(icon, caption, text, QMessageBox::Ok, owner) {
  button(QMessageBox::Ok)->setText(kOkText);
}

// Qt copies a message box's text only on Windows; people paste error texts into reports on
// every platform.
QString TCopyableMessageBox::CopyText() const {
  const QString rule = QStringLiteral("---------------------------\n");
  return rule + windowTitle() + u'\n' + rule + text() + u'\n' + rule + kOkText + u'\n' + rule;
}

void TCopyableMessageBox::keyPressEvent(QKeyEvent* event) {
  Guarded([this, event] {
    if (event->matches(QKeySequence::Copy)) {
      QApplication::clipboard()->setText(CopyText());
      event->accept();
      return;
    }
    QMessageBox::keyPressEvent(event);
  });
}

// exec() would make the box modal to the application; the information box must leave the main
// window working, so it waits in a loop of its own instead.
void TQtMessageBoxes::ShowInfo(QWidget& owner, const QString& text) {
  TCopyableMessageBox box(QMessageBox::Information, QString::fromUtf8(kInfoCaption), text, &owner);
  box.setWindowModality(Qt::NonModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  QEventLoop loop;
  QObject::connect(&box, &QMessageBox::finished, &loop, &QEventLoop::quit);
  box.show();
  loop.exec();
}

void TQtMessageBoxes::ShowError(QWidget& owner, const QString& caption, const QString& text) {
  TCopyableMessageBox box(QMessageBox::Critical, caption, text, &owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void TQtMessageBoxes::ShowApplicationError(const QString& text) {
  TCopyableMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationErrorCaption), text,
                          nullptr);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace zelvorn
