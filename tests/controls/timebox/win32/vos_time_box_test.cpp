#include "controls/timebox/win32/vos_time_box.h"

#include <gtest/gtest.h>

namespace zelvorn {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 30;

// The box's client area as WM_PRINTCLIENT paints it, read back pixel by pixel.
class PrintedClient {
 public:
  explicit PrintedClient(HWND window) {
    const HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  }
  ~PrintedClient() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  PrintedClient(const PrintedClient&) = delete;
  PrintedClient& operator=(const PrintedClient&) = delete;

  int Count(HWND window, COLORREF color) const {
    RECT client{};
    GetClientRect(window, &client);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y) {
      for (int x = 0; x < client.right; ++x) count += GetPixel(dc_, x, y) == color;
    }
    return count;
  }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// A disabled edit left to itself greys its text; the time box's digits must stay white on
// black, and follow the text and the font colour it is given.
TEST(VosTimeBoxTest, PaintsItsDigitsInTheFontColourWhileDisabled) {
  const HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  TVosTimeBox box(parent, 1, 0, 0, kWidth, kHeight);
  ASSERT_FALSE(IsWindowEnabled(box.Handle()));
  const int white_at_zero = PrintedClient(box.Handle()).Count(box.Handle(), 0xFFFFFF);
  EXPECT_GT(white_at_zero, 20);
  EXPECT_EQ(PrintedClient(box.Handle()).Count(box.Handle(), GetSysColor(COLOR_GRAYTEXT)), 0);

  box.SetText("88:88:88");
  EXPECT_GT(PrintedClient(box.Handle()).Count(box.Handle(), 0xFFFFFF), white_at_zero);

  TTimeBoxLook red = DefaultTimeBoxLook();
  red.Font.Color = RGB(255, 0, 0);
  box.SetLook(red);
  EXPECT_EQ(PrintedClient(box.Handle()).Count(box.Handle(), 0xFFFFFF), 0);
  EXPECT_GT(PrintedClient(box.Handle()).Count(box.Handle(), 0x0000FF), 20);

  // Enabled, the edit draws itself, in the colours its parent would give it.
  red.Enabled = true;
  box.SetLook(red);
  EXPECT_EQ(PrintedClient(box.Handle()).Count(box.Handle(), 0x0000FF), 0);

  // A stopped clock writes zero time into the box.
  box.SetText("12:34:56");
  box.Clock().SetNowBegin(false);
  EXPECT_EQ(box.Text(), "00:00:00");
  DestroyWindow(parent);
}

}  // namespace
}  // namespace zelvorn
