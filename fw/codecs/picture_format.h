// The picture format that a file's first bytes announce.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fw::codecs {

// The format's usual extension ("bmp", "gif", "jpg", "png", "ico", "emf" or
// "wmf"), or null when the bytes start no known picture format. An
// enhanced metafile is known only from 44 bytes on.
const char16_t* DetectPictureFormat(const uint8_t* data, size_t size);

}  // namespace fw::codecs
