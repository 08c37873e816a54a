#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace zelvorn {

// The message boxes the application shows. Tests replace them to see what would be shown without
// a box waiting for a click.
class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;

  // The information box: caption "提示", the text, the information icon and one OK button; on
  // top of other windows, owned by `owner` and not modal. Returns once it is dismissed, while the
  // event loop goes on delivering clicks and ticks to every window meanwhile.
  virtual void ShowInfo(QWidget& owner, const QString& text) = 0;

  // The report of an exception that no handler caught: `caption`, the text, the error icon and
  // one OK button, owned by `owner` and modal to the whole application until dismissed.
  virtual void ShowError(QWidget& owner, const QString& caption, const QString& text) = 0;

  // The runtime's own report: caption "应用程序错误", the text, the error icon and one OK button,
  // with no owner, modal to the whole application until dismissed.
  virtual void ShowApplicationError(const QString& text) = 0;
};

// A QMessageBox whose one button reads "确定" and which, on Ctrl+C, copies its caption, text
// and button to the clipboard laid out as plain text between dashed lines.
class TCopyableMessageBox : public QMessageBox {
 public:
  TCopyableMessageBox(Icon icon, const QString& caption, const QString& text, QWidget* owner);

  // What Ctrl+C puts on the clipboard.
  QString CopyText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// The boxes on Qt's message boxes.
class TQtMessageBoxes final : public IMessageBoxes {
 public:
  void ShowInfo(QWidget& owner, const QString& text) override;
  void ShowError(QWidget& owner, const QString& caption, const QString& text) override;
  void ShowApplicationError(const QString& text) override;
};

}  // namespace zelvorn
