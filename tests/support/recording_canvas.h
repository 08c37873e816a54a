#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/canvas.h"

namespace zelvorn::testing {

// One call of a host's primitive as the canvas received it: fills, outlines and lines arrive as
// the fills they are made of.
struct TCanvasCall {
  enum class TKind { kFill, kText, kFocusRect };
  TKind Kind = TKind::kFill;
  // What was filled, written in or framed.
  TRect Rect;
  // The fill's colour.
  TColor Color = clNone;
  // The text's font, with its colour.
  TFont Font;
  std::string Text;
  TDrawTextFlags Flags = 0;
};

// A canvas that draws nothing and keeps every call, so that what a painter draws can be checked
// without a platform. Its repaint region is a list of rectangles.
class TRecordingCanvas final : public TCanvas {
 public:
  using TKind = TCanvasCall::TKind;

  explicit TRecordingCanvas(std::vector<TRect> region) : region_(std::move(region)) {}

  const std::vector<TCanvasCall>& Calls() const { return calls_; }
  static std::vector<TCanvasCall> CallsOf(const std::vector<TCanvasCall>& calls, TKind kind) {
    std::vector<TCanvasCall> found;
    for (const TCanvasCall& call : calls) {
      if (call.Kind == kind) found.push_back(call);
    }
    return found;
  }

  void DrawText(std::string_view text, const TRect& rect, TDrawTextFlags flags) override {
    calls_.push_back({TKind::kText, rect, clNone, Font(), std::string(text), flags});
  }
  void DrawFocusRect(const TRect& rect) override {
    calls_.push_back({TKind::kFocusRect, rect, clNone, {}, {}, 0});
  }
  bool RectVisible(const TRect& rect) const override {
    for (const TRect& part : region_) {
      if (rect.Intersects(part)) return true;
    }
    return false;
  }

 private:
  void Fill(const TRect& rect, TColor color) override {
    calls_.push_back({TKind::kFill, rect, color, {}, {}, 0});
  }
  TRect Bounds() const override {
    TRect bounds = region_.front();
    for (const TRect& part : region_) {
      bounds = {std::min(bounds.Left, part.Left), std::min(bounds.Top, part.Top),
                std::max(bounds.Right, part.Right), std::max(bounds.Bottom, part.Bottom)};
    }
    return bounds;
  }

  std::vector<TRect> region_;
  std::vector<TCanvasCall> calls_;
};

}  // namespace zelvorn::testing
