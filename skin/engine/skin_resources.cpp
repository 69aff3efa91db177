#include "skin/engine/skin_resources.h"

#include <windows.h>

#include "fw/codecs/bmp.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/core/png.h"
#include "skin/engine/core/skin_images.h"

namespace skin {

namespace {

std::vector<uint8_t> ResourceBytes(const wchar_t* name, const wchar_t* type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, name, type);
  HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) throw ESkinError(u"The program's resource " + FromW(name) + u" is missing");
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, info));
}

}  // namespace

std::vector<uint8_t> StoredSkinResource(const fw::String& name) {
  return ResourceBytes(reinterpret_cast<const wchar_t*>(fw::UpperCase(name).c_str()), MAKEINTRESOURCEW(10));
}

std::vector<TStoredSkinData> LoadInternalSkins() {
  return {{u"Topaz (internal)", ResourceBytes(L"TOPAZ_SKIN", MAKEINTRESOURCEW(10))},
          {u"Sapphire (internal)", ResourceBytes(L"SAPPHIRE_SKIN", MAKEINTRESOURCEW(10))}};
}

void LoadInternalSkins(TkStoredSkins& skins) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  skins.BeginUpdate();
  skins.Clear();
  for (TStoredSkinData& s : stored) {
    auto* item = static_cast<TkStoredSkin*>(skins.Add());
    item->FName = s.Name;
    item->PackedData = std::move(s.Data);
  }
  skins.EndUpdate();
}

const TPixelBuffer& Blur5Image() {
  static const TPixelBuffer image = [] {
    std::vector<uint8_t> dib = ResourceBytes(L"BLUR5", MAKEINTRESOURCEW(2));
    fw::codecs::BmpImage bmp = fw::codecs::DecodeDib(dib.data(), dib.size());
    TPixelBuffer grey(TPixelFormat::pf8bit, bmp.Width, bmp.Height);
    for (int y = 0; y < bmp.Height; ++y)
      for (int x = 0; x < bmp.Width; ++x) {
        uint8_t index = bmp.BitCount == 8 ? bmp.Row(y)[x] : 0;
        grey.ScanLine(y)[x] = index < bmp.Palette.size() ? static_cast<uint8_t>(bmp.Palette[index]) : 0;
      }
    return grey;
  }();
  return image;
}

TPixelBuffer DefaultShadowImage(bool active) {
  TPixelBuffer image = DecodeSkinPng(ResourceBytes(active ? L"KCSHDA" : L"KCSHDI", MAKEINTRESOURCEW(10)));
  ZeroTransparentWhite(image);
  return image;
}

TPixelBuffer MenuButtonImage() { return DecodeSkinPng(ResourceBytes(L"MENUBTN", MAKEINTRESOURCEW(10))); }
TPixelBuffer GaugeLightImage() { return DecodeSkinPng(ResourceBytes(L"ACGL", MAKEINTRESOURCEW(10))); }

TSkinLoadOptions SystemSkinLoadOptions() {
  TSkinLoadOptions o;
  o.ColorToRGB = [](fw::TColor c) { return fw::ColorToRGB(c); };
  o.SizingFrame = GetSystemMetrics(SM_CXFRAME);
  o.Blur5 = &Blur5Image();
  return o;
}

}  // namespace skin
