#include "platform/text_layout.h"

#include <algorithm>
#include <optional>

namespace zelvorn {
namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::int32_t kTabStopChars = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The layout works on whole UTF-8 sequences: a continuation byte never starts a piece.
bool IsCodePointStart(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::int32_t FloorHalf(std::int32_t value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// Measures and splits lines, knowing how the flags treat tabs.
class TLineMeasurer {
 public:
  TLineMeasurer(const ITextMetrics& metrics, TDrawTextFlags flags)
      : metrics_(metrics),
        expand_tabs_((flags & DT_EXPANDTABS) != 0),
        tab_width_(std::max<std::int32_t>(1, kTabStopChars * metrics.AverageCharWidth())) {}

  // The runs of a line that starts at x = 0, and through `width` the line's advance width. A tab
  // moves to the next tab stop strictly right of the pen, so it always advances; without tab
  // expansion it is an ordinary space.
  std::vector<TTextRun> Runs(std::string_view line, std::int32_t& width) const {
    std::vector<TTextRun> runs;
    std::int32_t x = 0;
    std::size_t start = 0;
    while (true) {
      const std::size_t tab = expand_tabs_ ? line.find('\t', start) : std::string_view::npos;
      const std::string_view piece = line.substr(start, tab - start);
      if (!piece.empty()) {
        std::string text(piece);
        std::replace(text.begin(), text.end(), '\t', ' ');
        const std::int32_t piece_width = PieceWidth(text);
        runs.push_back({std::move(text), x});
        x += piece_width;
      }
      if (tab == std::string_view::npos) break;
      x = (x / tab_width_ + 1) * tab_width_;
      start = tab + 1;
    }
    width = x;
    return runs;
  }

  std::int32_t Width(std::string_view line) const {
    std::int32_t width = 0;
    Runs(line, width);
    return width;
  }

 private:
  // Shaping a text is the costly part of measuring, and a line that fits is measured twice:
  // once to see that it fits, once for its runs.
  std::int32_t PieceWidth(const std::string& text) const {
    if (!last_piece_ || *last_piece_ != text) {
      last_piece_ = text;
      last_width_ = metrics_.TextWidth(text);
    }
    return last_width_;
  }

  const ITextMetrics& metrics_;
  bool expand_tabs_;
  std::int32_t tab_width_;
  mutable std::optional<std::string> last_piece_;
  mutable std::int32_t last_width_ = 0;
};

std::string_view WithoutTrailingBlanks(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlank(text[end - 1])) --end;
  return text.substr(0, end);
}

// Splits at CR, LF and CR LF. A break at the very end does not open another, empty line.
std::vector<std::string_view> SplitParagraphs(std::string_view text) {
  std::vector<std::string_view> paragraphs;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    paragraphs.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return paragraphs;
}

// The end of the word that the text starts with, leading blanks included.
std::size_t FirstWordEnd(std::string_view text) {
  std::size_t end = 0;
  while (end < text.size() && IsBlank(text[end])) ++end;
  while (end < text.size() && !IsBlank(text[end])) ++end;
  return end;
}

// Greedy breaking: each line takes as many whole words as fit. Blanks at the end of a line
// belong to no line, so they neither push a word to the next line nor shift a centred one. Widths
// grow with every added word, so the first word that does not fit ends the line.
void WrapParagraph(std::string_view paragraph, std::int32_t width, const TLineMeasurer& measurer,
                   std::vector<std::string_view>& lines) {
  std::size_t start = 0;
  do {
    const std::string_view rest = paragraph.substr(start);
    if (measurer.Width(WithoutTrailingBlanks(rest)) <= width) {
      lines.push_back(WithoutTrailingBlanks(rest));
      return;
    }
    std::size_t end = FirstWordEnd(rest);
    for (std::size_t next = FirstWordEnd(rest.substr(end)) + end; next > end;
         next = FirstWordEnd(rest.substr(next)) + next) {
      if (measurer.Width(rest.substr(0, next)) > width) break;
      end = next;
    }
    lines.push_back(rest.substr(0, end));
    start += end;
    while (start < paragraph.size() && IsBlank(paragraph[start])) ++start;
  } while (start < paragraph.size());
}

// The longest start of `line` that still fits with "..." after it, followed by "...".
std::string WithEllipsis(std::string_view line, std::int32_t width, const TLineMeasurer& measurer) {
  std::size_t keep = line.size();
  while (keep > 0) {
    std::string candidate(line.substr(0, keep));
    candidate += kEllipsis;
    if (measurer.Width(candidate) <= width) return candidate;
    do --keep;
    while (keep > 0 && !IsCodePointStart(line[keep]));
  }
  return std::string(kEllipsis);
}

std::int32_t LineLeft(const TRect& rect, std::int32_t line_width, TDrawTextFlags flags) {
  if (flags & DT_CENTER) return rect.Left + FloorHalf(rect.Width() - line_width);
  if (flags & DT_RIGHT) return rect.Right - line_width;
  return rect.Left;
}

std::int32_t SingleLineTop(const TRect& rect, std::int32_t line_height, TDrawTextFlags flags) {
  if (flags & DT_VCENTER) return rect.Top + FloorHalf(rect.Height() - line_height);
  if (flags & DT_BOTTOM) return rect.Bottom - line_height;
  return rect.Top;
}

// The lines of a multi-line text that are shown: the first always, later ones while they fit
// entirely above the rectangle's bottom. `cut` tells whether some were left out.
std::vector<std::string_view> VisibleLines(std::string_view text, const TRect& rect,
                                           TDrawTextFlags flags, const TLineMeasurer& measurer,
                                           std::int32_t line_height, bool& cut) {
  std::vector<std::string_view> lines;
  for (const std::string_view paragraph : SplitParagraphs(text)) {
    if (flags & DT_WORDBREAK) {
      WrapParagraph(paragraph, rect.Width(), measurer, lines);
    } else {
      lines.push_back(paragraph);
    }
  }
  std::size_t shown = lines.empty() ? 0 : 1;
  while (shown < lines.size() &&
         rect.Top + static_cast<std::int32_t>(shown + 1) * line_height <= rect.Bottom) {
    ++shown;
  }
  cut = shown < lines.size();
  lines.resize(shown);
  return lines;
}

}  // namespace

TTextLayout LayoutText(std::string_view text, const TRect& rect, TDrawTextFlags flags,
                       const ITextMetrics& metrics) {
  TTextLayout layout;
  layout.LineHeight = metrics.LineHeight();
  const TLineMeasurer measurer(metrics, flags);
  const bool single_line = (flags & DT_SINGLELINE) != 0;
  bool cut = false;
  std::vector<std::string_view> lines;
  if (single_line) {
    const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    if (!line.empty()) lines.push_back(line);
  } else {
    lines = VisibleLines(text, rect, flags, measurer, layout.LineHeight, cut);
  }
  const std::int32_t first_top =
      single_line ? SingleLineTop(rect, layout.LineHeight, flags) : rect.Top;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string ellipsised;
    std::string_view line = lines[i];
    if (flags & DT_END_ELLIPSIS) {
      const bool last_of_cut = cut && i + 1 == lines.size();
      if (last_of_cut || measurer.Width(line) > rect.Width()) {
        ellipsised = WithEllipsis(WithoutTrailingBlanks(line), rect.Width(), measurer);
        line = ellipsised;
      }
    }
    TTextLine laid;
    laid.Runs = measurer.Runs(line, laid.Width);
    laid.Left = LineLeft(rect, laid.Width, flags);
    laid.Top = first_top + static_cast<std::int32_t>(i) * layout.LineHeight;
    for (TTextRun& run : laid.Runs) run.Left += laid.Left;
    layout.Lines.push_back(std::move(laid));
  }
  return layout;
}

}  // namespace zelvorn
