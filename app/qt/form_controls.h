#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/font.h"

namespace zelvorn {

// The plain controls of the main window, with the few properties the window's layout and the
// training controller use. Texts are UTF-8.

// A panel with a raised 1-pixel bevel, holding other controls.
class TPanel : public QFrame {
 public:
  explicit TPanel(QWidget* parent);
};

// A one-line caption that takes the size of its text whenever the caption or the font changes,
// keeping its top-left corner. Its line is as high as the font's character height, as the
// layouts were designed: the installed substitutes for their fonts have much taller line boxes,
// which would push the text down and out of its place. A caption that assistive tools read as a
// value tells them of each new one.
class TLabel : public QLabel {
 public:
  explicit TLabel(QWidget* parent);
  void SetCaption(const std::string& caption);
  std::string Caption() const;
  void SetFont(const TFont& font);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void FitToText();
  void ReportNewValue();
};

// An editable drop-down list whose typed text is completed inline from the items.
class TComboBox : public QComboBox {
 public:
  explicit TComboBox(QWidget* parent);
  void AddItem(const std::string& text);
  // The item whose text the box shows, or -1 when the text (as typed) is no item's.
  std::int32_t ItemIndex() const;
  void SetItemIndex(std::int32_t index);
  void SetText(const std::string& text);
};

// A push button that keeps an integer Tag for its owner and raises OnClick when pressed with
// the mouse or the keyboard.
class TButton : public QPushButton {
 public:
  explicit TButton(QWidget* parent);
  std::int32_t Tag() const { return tag_; }
  void SetTag(std::int32_t tag) { tag_ = tag; }
  void SetCaption(const std::string& caption);
  std::function<void()> OnClick;

 private:
  std::int32_t tag_ = 0;
};

}  // namespace zelvorn
