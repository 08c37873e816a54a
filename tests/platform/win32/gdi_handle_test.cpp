#include "platform/win32/gdi_handle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zelvorn {
namespace {

// Records what it gives back instead of giving it to GDI.
struct TRecordRelease {
  std::vector<int>* released = nullptr;
  void operator()(int* handle) const { released->push_back(*handle); }
};
using TRecorded = TGdiHandle<int*, TRecordRelease>;

TEST(GdiHandleTest, EachHandleIsGivenBackOnceByItsLastOwner) {
  std::vector<int> released;
  int first = 1;
  int second = 2;
  {
    TRecorded owner(&first, {&released});
    TRecorded moved(std::move(owner));
    EXPECT_EQ(owner.Get(), nullptr);
    // The handle replaced goes with the temporary it was swapped into.
    moved = TRecorded(&second, {&released});
    EXPECT_EQ(released, std::vector<int>{1});
    EXPECT_EQ(moved.Get(), &second);
  }
  EXPECT_EQ(released, (std::vector<int>{1, 2}));
}

TEST(GdiHandleTest, SelectionPutsThePreviousObjectBackAndTheFontIsDeleted) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  HFONT font_handle = nullptr;
  {
    const TFontHandle font(CreateFontW(20, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       0, 0, 0, 0, L"Arial"));
    font_handle = font.Get();
    const TSelection selected = SelectInto(dc, font.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  EXPECT_EQ(GetObjectType(font_handle), 0u);
  DeleteDC(dc);
}

}  // namespace
}  // namespace zelvorn
