// Loading a skin as a whole: the description "Options.dat" read into a fresh
// TkLoadedSkin together with its master image, its image elements and
// textures, global values, outer effects, sections with PARENTCLASS
// inheritance, the application's common sections, the palette and the
// colour adjustment. Anything damaged (an image that cannot be decoded, a
// mask value out of range, a rectangle outside its image, a packed file
// without description) raises ESkinError naming the skin, and nothing of the
// half-read skin survives.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fw/core/types.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/skin_data.h"
#include "skin/engine/core/skin_ini.h"

namespace skin {

// Where the image files a description names come from.
class TSkinImages {
 public:
  virtual ~TSkinImages() = default;
  // The bytes of the image named (as written in the value); false when the
  // skin has no such image.
  virtual bool Read(const fw::String& name, std::vector<uint8_t>& bytes) = 0;
};

// Entries of a packed skin, matched by their upper-cased names.
class TPackedSkinImages : public TSkinImages {
 public:
  explicit TPackedSkinImages(const TkcSkinConvertor& pack) : pack_(pack) {}
  bool Read(const fw::String& name, std::vector<uint8_t>& bytes) override;

 private:
  const TkcSkinConvertor& pack_;
};

// Files of a skin folder (path with its final delimiter); a name holding ":"
// is a path of its own.
class TFolderSkinImages : public TSkinImages {
 public:
  explicit TFolderSkinImages(fw::String folder) : folder_(std::move(folder)) {}
  bool Read(const fw::String& name, std::vector<uint8_t>& bytes) override;

 private:
  fw::String folder_;
};

enum class TVersionNotice { OldVersion, Unsupported };
// The message a notice shows.
fw::String VersionNoticeText(TVersionNotice notice, const fw::String& skinName);

struct TSkinLoadOptions {
  int HueOffset = 0;
  int Saturation = 0;
  int Brightness = 0;  // -100..100
  // The application's common sections (INI text), or empty.
  fw::String CommonSections;
  // The folder common-section images are read from, with its delimiter.
  fw::String SkinPath;
  // "/kctest" was given: the old-version notice is shown.
  bool TestSwitch = false;
  // System colour values to plain RGB; plain values pass unchanged.
  std::function<fw::TColor(fw::TColor)> ColorToRGB;
  // The system's sizing-frame width (FORMOFFSET's default).
  int SizingFrame = 4;
  // The program's BLUR5 image (8-bit grey, square); needed when an outer
  // effect's source is generated.
  const TPixelBuffer* Blur5 = nullptr;
  // Told once per load when the skin's version calls for a notice.
  std::function<void(TVersionNotice, const fw::String& skinName)> OnVersionNotice;
};

// Loads a description with its images; the result is active.
std::unique_ptr<TkLoadedSkin> LoadSkin(const fw::String& skinName, const fw::String& description,
                                       TSkinImages& images, const TSkinLoadOptions& options);

// Loads a packed skin (file bytes or a stored skin's data). Empty data or a
// pack without description is a damaged skin.
std::unique_ptr<TkLoadedSkin> LoadPackedSkin(const fw::String& skinName, const std::vector<uint8_t>& packed,
                                             const TSkinLoadOptions& options);

// A skin chosen by name, as the skin manager loads it: a preview text when
// one is given (images from the skin's folder), else the skin folder
// <skinDirectory>/<name> when it holds an "Options.dat", else the stored
// skin of that name (exact letter case) or, when there is none, the first
// stored skin, whose name the result carries. Without stored skins the
// result has no skin. A stored skin without data is a damaged skin.
struct TStoredSkinRef {
  fw::String Name;
  const std::vector<uint8_t>* Data;
};
struct TChosenSkin {
  std::unique_ptr<TkLoadedSkin> Skin;
  fw::String Name;
  bool Packed = false;
};
TChosenSkin ReloadSkin(const fw::String& name, const fw::String& skinDirectory,
                       const std::vector<TStoredSkinRef>& stored, const fw::String* previewText,
                       TSkinLoadOptions options);
// The packed file <skinDirectory>/<name>.ksz; a missing file is an error.
std::unique_ptr<TkLoadedSkin> ReloadPackedSkin(const fw::String& name, const fw::String& skinDirectory,
                                               TSkinLoadOptions options);

// The shadow templates of extended borders: cut from the skin's EXBORDER
// element, else the program's default images.
struct TShadowTemplates {
  TPixelBuffer Active, Inactive;
  fw::TRect FormShadowSize;
};
TShadowTemplates CheckShadows(const TkLoadedSkin& skin, bool extendedBorders, const TPixelBuffer* defaultActive,
                              const TPixelBuffer* defaultInactive);

}  // namespace skin
