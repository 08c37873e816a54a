// The resources this test program links are the Windows program's own: Windows finds the icon,
// the version information, the manifest's settings and the two faces in it as it finds them in
// the program.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "app/form_main_layout.h"
#include "app/win32/resources/resource_ids.h"
#include "platform/win32/font.h"
#include "platform/win32/windows_api.h"

namespace {

// The resource types, by number: their <windows.h> names are the 8-bit ones.
const wchar_t* const kIconType = MAKEINTRESOURCEW(3);
const wchar_t* const kDataType = MAKEINTRESOURCEW(10);
const wchar_t* const kIconGroupType = MAKEINTRESOURCEW(14);

// A resource of this executable, as bytes.
std::string ResourceBytes(const wchar_t* name, const wchar_t* type) {
  HRSRC resource = FindResourceW(nullptr, name, type);
  if (resource == nullptr) return std::string();
  const void* data = LockResource(LoadResource(nullptr, resource));
  return std::string(static_cast<const char*>(data), SizeofResource(nullptr, resource));
}

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// The group-icon directory, as the resource compiler lays it out.
#pragma pack(push, 2)
struct TIconGroupHeader {
  WORD reserved;
  WORD type;
  WORD count;
};
struct TIconGroupEntry {
  BYTE width;
  BYTE height;
  BYTE colors;
  BYTE reserved;
  WORD planes;
  WORD bit_count;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

std::vector<TIconGroupEntry> IconGroup(const std::string& group) {
  TIconGroupHeader header;
  std::memcpy(&header, group.data(), sizeof header);
  std::vector<TIconGroupEntry> entries(header.count);
  std::memcpy(entries.data(), group.data() + sizeof header, header.count * sizeof(TIconGroupEntry));
  return entries;
}

TEST(Win32ResourcesTest, MainIconHasEverySizeAsAPictureWindowsDecodes) {
  const std::string group = ResourceBytes(L"MAINICON", kIconGroupType);
  ASSERT_GE(group.size(), sizeof(TIconGroupHeader));
  std::set<int> sides;
  for (const TIconGroupEntry& entry : IconGroup(group)) {
    const int side = entry.width == 0 ? 256 : entry.width;
    sides.insert(side);
    const std::string picture = ResourceBytes(MAKEINTRESOURCEW(entry.id), kIconType);
    ASSERT_EQ(picture.substr(0, 8), "\x89PNG\r\n\x1A\n") << side;
    EXPECT_EQ(BigEndian32(picture, 16), static_cast<std::uint32_t>(side));
    EXPECT_EQ(BigEndian32(picture, 20), static_cast<std::uint32_t>(side));
    HICON icon = CreateIconFromResourceEx(
        reinterpret_cast<BYTE*>(const_cast<char*>(picture.data())),
        static_cast<DWORD>(picture.size()), TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << side;
    if (icon != nullptr) DestroyIcon(icon);
  }
  EXPECT_EQ(sides, (std::set<int>{16, 24, 32, 48, 64, 128, 256}));
  EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), L"MAINICON"), nullptr);
}

std::wstring VersionText(const std::vector<char>& info, const wchar_t* key) {
  const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + key;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"";
  return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

TEST(Win32ResourcesTest, VersionInformationIsTheProjectsInSimplifiedChinese) {
  wchar_t path[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
  std::vector<char> info(GetFileVersionInfoSizeW(path, nullptr));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data()));

  EXPECT_EQ(VersionText(info, L"FileDescription"), L"Zelvorn 注意力训练");
  EXPECT_EQ(VersionText(info, L"ProductName"), L"Zelvorn");
  EXPECT_EQ(VersionText(info, L"ProductVersion"), ZELVORN_EXPECTED_VERSION);
  EXPECT_EQ(VersionText(info, L"FileVersion"), ZELVORN_EXPECTED_VERSION);
  EXPECT_EQ(VersionText(info, L"OriginalFilename"), L"zelvorn.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwProductVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwProductVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwProductVersionLS));
  EXPECT_EQ(numbers, ZELVORN_EXPECTED_VERSION);
  EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  struct TTranslation {
    WORD language;
    WORD code_page;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation->language, 0x0804);  // Simplified Chinese, China
  EXPECT_EQ(translation->code_page, 1200);   // UTF-16
}

std::wstring ManifestSetting(const wchar_t* name_space, const wchar_t* name) {
  wchar_t value[64] = L"";
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, nullptr, name_space, name, value, 64, &written)) return L"";
  return value;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

TEST(Win32ResourcesTest, ManifestBringsCommonControlsSixAndLeavesScalingToWindows) {
  // Version 6 is the side-by-side one, which only a manifest's dependency loads; without it,
  // system32's version 5 would come.
  HMODULE controls = LoadLibraryW(L"comctl32.dll");
  ASSERT_NE(controls, nullptr);
  wchar_t path[MAX_PATH];
  ASSERT_NE(GetModuleFileNameW(controls, path, MAX_PATH), 0u);
#ifdef _WIN64
  constexpr wchar_t kVersionSix[] =
      L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.";
#else
  constexpr wchar_t kVersionSix[] =
      L"\\winsxs\\x86_microsoft.windows.common-controls_6595b64144ccf1df_6.";
#endif
  EXPECT_NE(Lower(path).find(kVersionSix), std::wstring::npos) << path;

  EXPECT_EQ(ManifestSetting(L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
            L"false");
  EXPECT_EQ(
      ManifestSetting(L"http://schemas.microsoft.com/SMI/2017/WindowsSettings", L"gdiScaling"),
      L"true");
}

int CALLBACK CollectWeight(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM weights) {
  reinterpret_cast<std::set<LONG>*>(weights)->insert(font->lfWeight);
  return 1;
}

TEST(Win32ResourcesTest, BuiltInFacesRegisterAsTheZelvornCjkFamily) {
  for (int id : {IDR_FACE_REGULAR, IDR_FACE_BOLD}) {
    const std::string face = ResourceBytes(MAKEINTRESOURCEW(id), kDataType);
    ASSERT_EQ(face.substr(0, 4), "OTTO") << id;  // OpenType with PostScript outlines
    DWORD count = 0;
    EXPECT_NE(AddFontMemResourceEx(const_cast<char*>(face.data()), static_cast<DWORD>(face.size()),
                                   nullptr, &count),
              nullptr);
    EXPECT_GE(count, 1u) << id;  // Wine counts the vertical "@" face of a CJK font as well
  }
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcscpy(wanted.lfFaceName, L"Zelvorn CJK");
  std::set<LONG> weights;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, CollectWeight, reinterpret_cast<LPARAM>(&weights), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(weights, (std::set<LONG>{FW_NORMAL, FW_BOLD}));
}

// Windows lays text out by a face's own line, and the strip's boxes were sized for the Chinese
// system faces, whose line is about one em. Where the built-in faces stand in for them, the
// digits' baseline must still fall inside the box, or their lower part is cut off.
TEST(Win32ResourcesTest, BuiltInFacesPutTheStripsDigitsInsideTheirBoxes) {
  const int faces[] = {IDR_FACE_REGULAR, IDR_FACE_BOLD};
  ASSERT_TRUE(zelvorn::RegisterBuiltInFaces(GetModuleHandleW(nullptr), faces));
  const zelvorn::TFormMainLayout& layout = zelvorn::FormMainLayout();
  // The time box's client area lies inside its two-pixel sunken edge.
  const struct {
    const char* box;
    const zelvorn::TFont& font;
    int height;
  } boxes[] = {{"progress", layout.Label2.Font, layout.Label2.Bounds.Height},
               {"time", layout.VosTimeBox1.Look.Font, layout.VosTimeBox1.Bounds.Height - 4}};
  HDC screen = GetDC(nullptr);
  for (const auto& box : boxes) {
    LOGFONTW wanted = {};
    wanted.lfHeight = box.font.Height;
    wanted.lfWeight = box.font.Bold ? FW_BOLD : FW_NORMAL;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcscpy(wanted.lfFaceName, zelvorn::kBuiltInFace);
    HFONT font = CreateFontIndirectW(&wanted);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen, &metrics);
    EXPECT_LE(metrics.tmAscent, box.height) << box.box;
    SelectObject(screen, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
