#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "app/qt/message_boxes.h"

namespace zelvorn {

// Message boxes that only note what would have been shown, and return at once.
class TRecordingBoxes final : public IMessageBoxes {
 public:
  enum class EKind { kInfo, kError, kApplicationError };
  struct TShown {
    EKind kind;
    QWidget* owner;
    QString caption;  // empty where the box's kind fixes it
    QString text;
  };

  void ShowInfo(QWidget& owner, const QString& text) override {
    shown.push_back({EKind::kInfo, &owner, {}, text});
  }
  void ShowError(QWidget& owner, const QString& caption, const QString& text) override {
    shown.push_back({EKind::kError, &owner, caption, text});
    if (during_error) during_error();
  }
  void ShowApplicationError(const QString& text) override {
    shown.push_back({EKind::kApplicationError, nullptr, {}, text});
  }

  std::vector<TShown> shown;
  // Runs while the error box would be up.
  std::function<void()> during_error;
};

}  // namespace zelvorn
