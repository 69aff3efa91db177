// Golden pictures of controls whose drawing is exact to the pixel (their own
// bitmaps, lines and the system's frame controls, no text): a rendering is
// compared with tests/controls/golden/<name>.bmp. With VL_UPDATE_GOLDENS set
// in the environment the rendering is written there instead, to be looked at
// and committed.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fw/graphics/graphics.h"

namespace cktest {

inline fw::String GoldenPath(const std::string& Name) {
  const char* dir = std::getenv("VL_SOURCE_DIR");
  std::string unixPath = std::string(dir ? dir : "..") + "/tests/controls/golden/" + Name + ".bmp";
  std::string path = dir && dir[0] == '/' ? "Z:" : "";
  for (char c : unixPath) path.push_back(c == '/' ? '\\' : c);
  return fw::Utf8ToString(path);
}

// Renderings stacked one below the other, on a white ground, as one picture.
inline std::unique_ptr<fw::TBitmap> Stack(const std::vector<fw::TBitmap*>& Parts) {
  int w = 0, h = 0;
  for (fw::TBitmap* p : Parts) w = std::max(w, p->Width()), h += p->Height();
  auto all = std::make_unique<fw::TBitmap>();
  all->SetPixelFormat(fw::pf24bit);
  all->SetSize(w, h);
  all->Canvas()->Brush()->SetColor(fw::clWhite);
  all->Canvas()->FillRect(fw::TRect{0, 0, w, h});
  int y = 0;
  for (fw::TBitmap* p : Parts) {
    BitBlt(all->Canvas()->Handle(), 0, y, p->Width(), p->Height(), p->Canvas()->Handle(), 0, 0, SRCCOPY);
    y += p->Height();
  }
  return all;
}

inline ::testing::AssertionResult MatchesGolden(fw::TBitmap* Rendered, const std::string& Name) {
  const fw::String path = GoldenPath(Name);
  if (std::getenv("VL_UPDATE_GOLDENS")) {
    Rendered->SaveToFile(path);
    return ::testing::AssertionSuccess() << "written";
  }
  fw::TBitmap golden;
  try {
    golden.LoadFromFile(path);
  } catch (...) {
    return ::testing::AssertionFailure() << "no golden picture " << fw::StringToUtf8(path);
  }
  if (golden.Width() != Rendered->Width() || golden.Height() != Rendered->Height())
    return ::testing::AssertionFailure() << Name << ": " << Rendered->Width() << " x " << Rendered->Height()
                                         << " instead of " << golden.Width() << " x " << golden.Height();
  int differing = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < golden.Height(); ++y)
    for (int x = 0; x < golden.Width(); ++x)
      if (golden.Canvas()->Pixel(x, y) != Rendered->Canvas()->Pixel(x, y)) {
        if (differing++ == 0) firstX = x, firstY = y;
      }
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << Name << ": " << differing << " pixels differ, the first at (" << firstX
                                       << ", " << firstY << ")";
}

}  // namespace cktest
