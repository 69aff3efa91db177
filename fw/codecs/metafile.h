// Windows metafiles: enhanced (EMF), plain and placeable WMF. The headers
// and the record chain are checked before the platform plays anything.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw::codecs {

enum class MetafileKind { Enhanced, Windows, Placeable };

struct MetafileInfo {
  MetafileKind Kind = MetafileKind::Enhanced;
  size_t Length = 0;  // bytes of the whole file, placeable header included
  // Enhanced: the frame in 0.01 mm. Placeable: the bounding box in
  // metafile units and the units per inch. Plain WMF: the window extent
  // when a record sets it (HasExtent).
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Inch = 0;
  bool HasExtent = false;
  size_t WmfOffset = 0;  // where the WMF header starts (22 for placeable)
};

// The kind and length from the first bytes (0 length: more bytes needed,
// 44 at most for WMF and 52 for EMF). Raises EInvalidGraphic when the
// data is no metafile.
MetafileInfo MetafileHeader(const uint8_t* data, size_t size);

// Checks the whole file: every record inside the data, the end record
// present; fills the extent of plain WMF files.
MetafileInfo CheckMetafile(const uint8_t* data, size_t size);

}  // namespace fw::codecs
