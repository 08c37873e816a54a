#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "app/cell_grid_port.h"
#include "app/form_main_layout.h"
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

// The main window's training, made with its controls and kept as long as they are: their ports,
// the controller's handlers over them, and those handlers bound to the grid's events, the run
// timer and the start button's click.
template <class TTimeBoxControl, class TLabelControl, class TComboBoxControl, class TButtonControl>
class TFormMainTraining {
 public:
  // The wrong-click sound is played from `sound_path`.
  TFormMainTraining(TCellGrid& grid, TTimeBoxControl& time_box, TLabelControl& progress_label,
                    const TComboBoxControl& size_chooser, TButtonControl& start_button,
                    TTimer& timer, IInfoBox& info_box, ISoundPlayer& sound, std::string sound_path)
      : grid_(grid),
        time_box_(time_box),
        progress_label_(progress_label),
        size_chooser_(size_chooser),
        start_button_(start_button),
        timer_(timer),
        handlers_({grid_, time_box_, progress_label_, size_chooser_, start_button_, timer_,
                   info_box, sound, std::move(sound_path)}) {
    handlers_.BindGrid(grid);
    handlers_.BindTimer(timer);
    start_button.OnClick = [this] { handlers_.Button1Click(); };
  }
  TFormMainTraining(const TFormMainTraining&) = delete;
  TFormMainTraining& operator=(const TFormMainTraining&) = delete;

 private:
  TCellGridPort grid_;
  TTimeBoxPort<TTimeBoxControl> time_box_;
  TLabelPort<TLabelControl> progress_label_;
  TComboBoxPort<TComboBoxControl> size_chooser_;
  TButtonPort<TButtonControl> start_button_;
  TTimerPort timer_;
  // After the ports, which the controller holds references to.
  TFormMainHandlers handlers_;
};

}  // namespace zelvorn
