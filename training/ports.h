#pragma once

#include <cstdint>
#include <string>

namespace zelvorn {

// The narrow views the training controller has of the main window's controls and of the
// platform. The application implements them on the real controls; tests implement them with
// fakes, so a run can be driven by calls.

// The number grid.
class ITrainingGrid {
 public:
  virtual ~ITrainingGrid() = default;
  virtual void SetRowCount(std::int32_t count) = 0;
  virtual void SetColCount(std::int32_t count) = 0;
  virtual std::int32_t ColCount() const = 0;
  virtual void SetFontSize(std::int32_t points) = 0;
  // The control's outer size in pixels.
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  virtual void SetDefaultColWidth(std::int32_t pixels) = 0;
  virtual void SetDefaultRowHeight(std::int32_t pixels) = 0;
  virtual std::string Cell(std::int32_t col, std::int32_t row) const = 0;
  virtual void SetCell(std::int32_t col, std::int32_t row, const std::string& text) = 0;
};

// A control that shows a text: the time box, the progress label.
class ITextView {
 public:
  virtual ~ITextView() = default;
  virtual void SetText(const std::string& text) = 0;
};

// The table-size chooser.
class ISizeChooser {
 public:
  virtual ~ISizeChooser() = default;
  // The selected item, or -1 when the edited text selects none.
  virtual std::int32_t ItemIndex() const = 0;
};

// The start button. Its Tag carries the run-active flag.
class IStartButton {
 public:
  virtual ~IStartButton() = default;
  virtual std::int32_t Tag() const = 0;
  virtual void SetTag(std::int32_t tag) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
};

// The one-second clock of a run. Enabling an enabled timer changes nothing (it keeps its phase);
// enabling fails with EOutOfResources "可用的计时器不足" when the platform has no timer left.
class IRunTimer {
 public:
  virtual ~IRunTimer() = default;
  virtual void SetEnabled(bool enabled) = 0;
};

// The box that tells the result of a run; the call returns when the box is closed. The main
// window still gets its ticks and clicks while the box is up, so the controller may be called
// again before this call returns.
class IInfoBox {
 public:
  virtual ~IInfoBox() = default;
  virtual void ShowInfoMessage(const std::string& text) = 0;
};

// Asynchronous sound playback: returns at once; a missing or unplayable file is not an error.
class ISoundPlayer {
 public:
  virtual ~ISoundPlayer() = default;
  virtual void PlayAsync(const std::string& path) = 0;
};

struct TTrainingPorts {
  ITrainingGrid& grid;         // CellGrid1
  ITextView& time_box;         // VosTimeBox1.Text
  ITextView& progress_label;   // Label2.Caption
  ISizeChooser& size_chooser;  // ComboBox1
  IStartButton& start_button;  // Button1
  IRunTimer& timer;            // Timer1
  IInfoBox& info_box;          // ShowInfoMessage
  ISoundPlayer& sound;         // wrong-click sound
  std::string sound_path;      // the wrong-click sound, beside the program (SoundFilePath)
};

}  // namespace zelvorn
