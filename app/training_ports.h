#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "app/cell_grid_port.h"
#include "platform/timer.h"
#include "training/ports.h"

namespace zelvorn {

// The training controller's views of the main window's controls, the same on every host: thin
// pass-throughs to the host's own controls, whose calls are named alike on every host.

template <class TTimeBoxControl>
class TTimeBoxPort final : public ITextView {
 public:
  explicit TTimeBoxPort(TTimeBoxControl& box) : box_(box) {}
  void SetText(const std::string& text) override { box_.SetText(text); }

 private:
  TTimeBoxControl& box_;
};

template <class TLabelControl>
class TLabelPort final : public ITextView {
 public:
  explicit TLabelPort(TLabelControl& label) : label_(label) {}
  void SetText(const std::string& text) override { label_.SetCaption(text); }

 private:
  TLabelControl& label_;
};

template <class TComboBoxControl>
class TComboBoxPort final : public ISizeChooser {
 public:
  explicit TComboBoxPort(const TComboBoxControl& box) : box_(box) {}
  std::int32_t ItemIndex() const override { return box_.ItemIndex(); }

 private:
  const TComboBoxControl& box_;
};

template <class TButtonControl>
class TButtonPort final : public IStartButton {
 public:
  explicit TButtonPort(TButtonControl& button) : button_(button) {}
  std::int32_t Tag() const override { return button_.Tag(); }
  void SetTag(std::int32_t tag) override { button_.SetTag(tag); }
  void SetCaption(const std::string& caption) override { button_.SetCaption(caption); }

 private:
  TButtonControl& button_;
};

class TTimerPort final : public IRunTimer {
 public:
  explicit TTimerPort(TTimer& timer) : timer_(timer) {}
  void SetEnabled(bool enabled) override { timer_.SetEnabled(enabled); }

 private:
  TTimer& timer_;
};

// The ports of one main window, made with its controls and kept as long as they are: the
// controller holds references to them.
template <class TTimeBoxControl, class TLabelControl, class TComboBoxControl, class TButtonControl>
class TWindowPorts {
 public:
  TWindowPorts(TCellGrid& grid, TTimeBoxControl& time_box, TLabelControl& progress_label,
               const TComboBoxControl& size_chooser, TButtonControl& start_button, TTimer& timer)
      : grid_(grid),
        time_box_(time_box),
        progress_label_(progress_label),
        size_chooser_(size_chooser),
        start_button_(start_button),
        timer_(timer) {}
  TWindowPorts(const TWindowPorts&) = delete;
  TWindowPorts& operator=(const TWindowPorts&) = delete;

  // The controller's ports: these with the application's message box and sound player and the
  // wrong-click sound's path.
  TTrainingPorts Ports(IInfoBox& info_box, ISoundPlayer& sound, std::string sound_path) {
    return {grid_,  time_box_, progress_label_, size_chooser_,        start_button_,
            timer_, info_box,  sound,           std::move(sound_path)};
  }

 private:
  TCellGridPort grid_;
  TTimeBoxPort<TTimeBoxControl> time_box_;
  TLabelPort<TLabelControl> progress_label_;
  TComboBoxPort<TComboBoxControl> size_chooser_;
  TButtonPort<TButtonControl> start_button_;
  TTimerPort timer_;
};

}  // namespace zelvorn
