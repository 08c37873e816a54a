#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace zelvorn::testing {

// One drawing call as the canvas received it, with the pen, brush and font it drew in.
struct TCanvasCall {
  enum class TKind { kFillRect, kRectangle, kLine, kText, kFocusRect };
  TKind Kind = TKind::kFillRect;
  // What was filled, outlined, written in or framed; for a line, its ends as (from, to).
  TRect Rect;
  TPen Pen;
  TColor BrushColor = clNone;
  TFont Font;
  std::string Text;
  TDrawTextFlags Flags = 0;
};

// A canvas that draws nothing and keeps every call, so that what a painter draws can be checked
// without a platform. Its repaint region is a list of rectangles, the whole plane by default.
class TRecordingCanvas final : public TCanvas {
 public:
  using TKind = TCanvasCall::TKind;

  TRecordingCanvas() : region_{{-kFar, -kFar, kFar, kFar}} {}
  explicit TRecordingCanvas(std::vector<TRect> region) : region_(std::move(region)) {}

  const std::vector<TCanvasCall>& Calls() const { return calls_; }
  static std::vector<TCanvasCall> CallsOf(const std::vector<TCanvasCall>& calls, TKind kind) {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& call : calls) {
      if (call.Kind == kind) found.push_back(call);
    }
    return found;
  }

  void FillRect(const TRect& rect) override { Record(TKind::kFillRect, rect); }
  void Rectangle(const TRect& rect) override { Record(TKind::kRectangle, rect); }
  void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) override {
    Record(TKind::kText, rect).Text = text;
    calls_.back().Flags = flags;
  }
  void DrawFocusRect(const TRect& rect) override { Record(TKind::kFocusRect, rect); }
  bool RectVisible(const TRect& rect) const override {
    for (const TRect& part : region_) {
      if (rect.Intersects(part)) return true;
    }
    return false;
  }

 private:
  static constexpr std::int32_t kFar = 1 << 20;

  void DrawLine(TPoint from, TPoint to) override {
    Record(TKind::kLine, {from.X, from.Y, to.X, to.Y});
  }
  TCanvasCall& Record(TKind kind, const TRect& rect) {
    calls_.push_back({kind, rect, Pen(), Brush().Color, Font(), {}, 0});
    return calls_.back();
  }

  std::vector<TRect> region_;
  std::vector<TCanvasCall> calls_;
};

}  // namespace zelvorn::testing
