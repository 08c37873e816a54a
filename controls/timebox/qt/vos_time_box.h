#pragma once

#include <QLineEdit>
#include <string>

#include "controls/timebox/time_box_clock.h"
#include "controls/timebox/time_box_look.h"

namespace zelvorn {

// The time box on Qt: a QLineEdit showing a TTimeBoxLook, whose text the box's own clock writes.
// A new box has DefaultTimeBoxLook and a stopped clock.
class TVosTimeBox : public QLineEdit {
 public:
  explicit TVosTimeBox(QWidget* owner = nullptr);
  // Stops and releases the clock's timer before the edit control goes.
  ~TVosTimeBox() override;
  TVosTimeBox(const TVosTimeBox&) = delete;
  TVosTimeBox& operator=(const TVosTimeBox&) = delete;

  TTimeBoxClock& Clock() { return clock_; }
  const TTimeBoxClock& Clock() const { return clock_; }

  // The text as UTF-8.
  std::string Text() const;
  void SetText(const std::string& text);

  // The look last set; what the box shows since then is Text().
  const TTimeBoxLook& Look() const { return look_; }
  void SetLook(const TTimeBoxLook& look);

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void ApplyColors();

  TTimeBoxClock clock_;
  TTimeBoxLook look_;
};

}  // namespace zelvorn
