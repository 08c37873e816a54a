#pragma once

#include <string>

#include "training/ports.h"

namespace zelvorn {

class TButton;
class TComboBox;
class TLabel;
class TTimer;
class TVosTimeBox;

// The training controller's views of the main window's controls, each a thin pass-through.

class TTimeBoxPort final : public ITextView {
 public:
  explicit TTimeBoxPort(TVosTimeBox& box) : box_(box) {}
  void SetText(const std::string& text) override;

 private:
  TVosTimeBox& box_;
};

class TLabelPort final : public ITextView {
 public:
  explicit TLabelPort(TLabel& label) : label_(label) {}
  void SetText(const std::string& text) override;

 private:
  TLabel& label_;
};

class TComboBoxPort final : public ISizeChooser {
 public:
  explicit TComboBoxPort(const TComboBox& box) : box_(box) {}
  std::int32_t ItemIndex() const override;

 private:
  const TComboBox& box_;
};

class TButtonPort final : public IStartButton {
 public:
  explicit TButtonPort(TButton& button) : button_(button) {}
  std::int32_t Tag() const override;
  void SetTag(std::int32_t tag) override;
  void SetCaption(const std::string& caption) override;

 private:
  TButton& button_;
};

class TTimerPort final : public IRunTimer {
 public:
  explicit TTimerPort(TTimer& timer) : timer_(timer) {}
  void SetEnabled(bool enabled) override;

 private:
  TTimer& timer_;
};

}  // namespace zelvorn
