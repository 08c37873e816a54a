#include "platform/win32/font.h"

#include <cwchar>
#include <map>

#include "platform/win32/utf16.h"

namespace zelvorn {
namespace {

// RT_RCDATA, whose own macro follows the build's choice of "A" or "W" names.
const LPCWSTR kRcData = MAKEINTRESOURCEW(10);

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

bool Installed(const std::wstring& face) {
  if (face.empty() || face.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  std::wmemcpy(wanted.lfFaceName, face.c_str(), face.size() + 1);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

// A Windows whose language is not Chinese may list the Chinese faces by their English names.
std::wstring EnglishName(const std::wstring& face) {
  if (face == L"宋体") return L"SimSun";
  if (face == L"黑体") return L"SimHei";
  return {};
}

std::wstring ChooseFace(const std::wstring& face) {
  if (Installed(face)) return face;
  if (const std::wstring english = EnglishName(face); Installed(english)) return english;
  return kBuiltInFace;
}

}  // namespace

bool RegisterBuiltInFaces(HINSTANCE instance, std::span<const int> resource_ids) {
  bool all = true;
  for (const int id : resource_ids) {
    const HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(id), kRcData);
    const HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
    void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD faces = 0;
    // The faces stay registered until the process ends.
    if (data == nullptr || AddFontMemResourceEx(data, SizeofResource(instance, resource), nullptr,
                                                &faces) == nullptr) {
      all = false;
    }
  }
  return all;
}

std::wstring FaceFor(std::string_view name) {
  static std::map<std::string, std::wstring, std::less<>> chosen;
  auto found = chosen.find(name);
  if (found == chosen.end()) found = chosen.emplace(name, ChooseFace(Widen(name))).first;
  return found->second;
}

HFONT CreateFontFor(const TFont& font) {
  const std::wstring face = FaceFor(font.Name);
  return CreateFontW(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace zelvorn
