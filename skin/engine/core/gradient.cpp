#include "skin/engine/core/gradient.h"

#include <algorithm>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "skin/engine/core/skin_text.h"

namespace skin {

void ParseGradientData(fw::StringView text, TkGradArray& stops, const TColorResolver& resolve) {
  stops.clear();
  if (text.empty()) return;
  // The words in one pass (empty fields don't count), so a long description
  // is not scanned again for each field.
  const std::vector<std::string> words = SplitWordsA(fw::StringToAnsi(text), CharSet(";"));
  const size_t groups = words.size() / 5;
  auto number = [&](size_t word) {
    int value;
    if (!fw::TryStrToInt(fw::AnsiToString(words[word]), value))
      throw fw::EConvertError(u"Gradient description, field " + fw::IntToStr(int(word) + 1) + u": '" +
                              fw::AnsiToString(words[word]) + u"' is not a valid integer value");
    return value;
  };
  auto color = [&](size_t word) {
    int32_t c = number(word);
    return resolve ? resolve(c) : static_cast<uint32_t>(c);
  };
  TkGradArray parsed(groups);
  for (size_t i = 0; i < groups; ++i) {
    TkGradPie& p = parsed[i];
    p.Color1 = color(5 * i);
    p.Color2 = color(5 * i + 1);
    p.Percent = static_cast<uint8_t>(std::clamp(number(5 * i + 2), 0, 100));
    p.Mode1 = number(5 * i + 3);
  }
  stops = std::move(parsed);
}

namespace {

// The colour of step k of distance steps from c1 to c2, per channel
// c1 + (c2 - c1) * k / distance rounded down: exact, so the last step shows c2.
uint32_t StepColor(uint32_t c1, uint32_t c2, int k, int distance) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
    out |= static_cast<uint32_t>((a * distance + (b - a) * k) / distance) << shift;
  }
  return out;
}

// The segments of a stop array along one axis: calls paint(stop, start, end)
// for each stop that covers at least two samples (start..end inclusive).
template <class Paint>
void ForSegments(const TkGradArray& stops, int first, int extent, int last, Paint paint) {
  int end = first;
  for (size_t i = 0; i < stops.size(); ++i) {
    const int start = end;
    end = i + 1 == stops.size() ? last : std::min(last, start + extent * stops[i].Percent / 100);
    if (end - start > 0) paint(stops[i], start, end);
  }
}

// The gradient colour of each column of r's top row (mode 1), or of each row
// (mode 0), as colour values; -1 where no segment reached.
std::vector<int64_t> GradientLine(const TkGradArray& stops, const fw::TRect& c, bool horizontal) {
  const int first = horizontal ? c.Left : c.Top;
  const int last = (horizontal ? c.Right : c.Bottom) - 1;
  const int extent = horizontal ? c.Right - c.Left : c.Bottom - c.Top;
  std::vector<int64_t> line(extent, -1);
  ForSegments(stops, first, extent, last, [&](const TkGradPie& p, int start, int end) {
    const int distance = end - start;
    for (int k = 0; k <= distance; ++k)
      line[start + k - first] = (!horizontal && p.Color1 == p.Color2) ? p.Color1
                                                                       : StepColor(p.Color1, p.Color2, k, distance);
  });
  return line;
}

fw::TRect ClipGradientRect(const TPixelView32& v, const fw::TRect& r) { return ClipToView(r, v.Width, v.Height); }

}  // namespace

void FillGradient(const TPixelView32& v, const fw::TRect& r, const TkGradArray& stops) {
  const int mode = GradientMode(stops);
  if (v.Empty() || stops.empty() || r.Right <= r.Left || r.Bottom <= r.Top) return;
  if (mode != gmVertical && mode != gmHorizontal) return;
  const fw::TRect c = ClipGradientRect(v, r);
  if (c.Right <= c.Left || c.Bottom <= c.Top) return;
  const bool horizontal = mode == gmHorizontal;
  const std::vector<int64_t> line = GradientLine(stops, c, horizontal);
  if (horizontal) {
    uint32_t* top = v.Row(c.Top);
    for (int x = c.Left; x < c.Right; ++x)
      if (line[x - c.Left] >= 0) top[x] = ColorToPixel(static_cast<uint32_t>(line[x - c.Left]), 255);
    for (int y = c.Top + 1; y < c.Bottom; ++y) std::copy(top + c.Left, top + c.Right, v.Row(y) + c.Left);
    return;
  }
  for (int y = c.Top; y < c.Bottom; ++y) {
    if (line[y - c.Top] < 0) continue;
    uint32_t* row = v.Row(y);
    std::fill(row + c.Left, row + c.Right, ColorToPixel(static_cast<uint32_t>(line[y - c.Top]), 255));
  }
}

void FillGradientTextured(const TPixelView32& v, const fw::TRect& r, const TkGradArray& stops,
                          const TPixelView32& texture, const fw::TRect& textureRect, uint8_t mix, uint8_t alpha) {
  const int mode = GradientMode(stops);
  if (v.Empty() || texture.Empty() || stops.empty() || r.Right <= r.Left || r.Bottom <= r.Top) return;
  if (mode != gmVertical && mode != gmHorizontal) return;
  // The tile is the texture rectangle clipped to the texture, its last row and
  // column included.
  fw::TRect tr = textureRect.Right <= textureRect.Left || textureRect.Bottom <= textureRect.Top
                     ? fw::TRect{0, 0, texture.Width, texture.Height}
                     : ClipToView(textureRect, texture.Width, texture.Height);
  const int tileW = tr.Right - tr.Left, tileH = tr.Bottom - tr.Top;
  if (tileW < 1 || tileH < 1) return;
  const fw::TRect c = ClipGradientRect(v, r);
  if (c.Right <= c.Left || c.Bottom <= c.Top) return;
  const bool horizontal = mode == gmHorizontal;
  const std::vector<int64_t> line = GradientLine(stops, c, horizontal);
  const int m = mix;
  auto blend = [m](int t, int g) { return (m * (t - g) + g * 256) >> 8; };
  for (int y = c.Top; y < c.Bottom; ++y) {
    const uint32_t* tex = texture.Row(y % tileH + tr.Top);
    uint32_t* row = v.Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      const int64_t g = horizontal ? line[x - c.Left] : line[y - c.Top];
      if (g < 0) continue;
      const uint32_t gp = ColorToPixel(static_cast<uint32_t>(g), 0);
      const uint32_t t = tex[x % tileW + tr.Left];
      row[x] = MakePixel(blend(Blue(t), Blue(gp)), blend(Green(t), Green(gp)), blend(Red(t), Red(gp)), alpha);
    }
  }
}

}  // namespace skin
