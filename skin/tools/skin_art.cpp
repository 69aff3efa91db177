#include "skin/tools/skin_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "fw/core/types.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_images.h"
#include "skin/engine/core/skin_loader.h"
#include "skin/tools/tiny_font.h"

namespace skinart {

using skin::TPixelBuffer;
using skin::TPixelFormat;
using skin::TPixelView32;

namespace {

struct RGB {
  int r, g, b;
};

RGB Mix(RGB a, RGB b, double t) {  // t of b
  auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}
uint32_t Px(RGB c) { return skin::MakePixel(c.b, c.g, c.r, 255); }
int Col(RGB c) { return c.r | c.g << 8 | c.b << 16; }
std::string Num(int v) { return std::to_string(v); }

constexpr uint32_t kKey = skin::clSkinKey;
const RGB kWhite{255, 255, 255}, kBlack{0, 0, 0};

// The few numbers a skin is made of. The program shows its skin with
// saturation -58, which leaves about 42 % of any colour's chroma, so the
// accents are drawn about two and a half times as strong as they are seen.
struct TTheme {
  std::string Name, FileName, Description;
  RGB Accent;    // focus, selection, progress, default button
  RGB Face;      // light grey of forms and dialogs
  RGB CloseHot;  // the close button under the mouse
};

struct TColors {
  RGB accent, accentDark, accentLight, accentPale, face, faceLight, faceDark, line, lineDark, text, textSoft, window,
      menu, track, closeHot, closePressed;
};

TColors ColorsOf(const TTheme& t) {
  TColors c;
  c.accent = t.Accent;
  c.accentDark = Mix(t.Accent, kBlack, 0.30);
  c.accentLight = Mix(t.Accent, kWhite, 0.50);
  c.accentPale = Mix(t.Accent, kWhite, 0.80);
  c.face = t.Face;
  c.faceLight = Mix(t.Face, kWhite, 0.55);
  c.faceDark = Mix(t.Face, kBlack, 0.08);
  c.line = Mix(t.Face, kBlack, 0.22);
  c.lineDark = Mix(t.Face, kBlack, 0.40);
  c.text = {32, 34, 38};
  c.textSoft = {112, 116, 122};
  c.window = kWhite;
  c.menu = Mix(t.Face, kWhite, 0.75);
  c.track = Mix(t.Face, kBlack, 0.03);
  c.closeHot = t.CloseHot;
  c.closePressed = Mix(t.CloseHot, kBlack, 0.25);
  return c;
}

// ---- drawing ----

void Fill(const TPixelView32& v, int x0, int y0, int x1, int y1, uint32_t p) {
  for (int y = std::max(y0, 0); y < std::min(y1, v.Height); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, v.Width); ++x) v.Pixel(x, y) = p;
}

// A box with rounded corners: outside the rounding keyed, a 1-pixel border,
// the inside filled from top to bottom between two colours (a soft vertical
// gradient; equal colours give a flat fill). radius 0 gives square corners.
void Box(const TPixelView32& v, int x0, int y0, int w, int h, int radius, const RGB* border, RGB top, RGB bottom,
         bool fillInside = true) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double cx = x < radius ? radius : (x >= w - radius ? w - radius : x + 0.5);
      double cy = y < radius ? radius : (y >= h - radius ? h - radius : y + 0.5);
      double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      bool corner = (x < radius || x >= w - radius) && (y < radius || y >= h - radius);
      uint32_t p;
      if (corner && d > radius) {
        p = kKey;
      } else if (border && ((corner && d > radius - 1) || x == 0 || y == 0 || x == w - 1 || y == h - 1)) {
        p = Px(*border);
      } else if (fillInside) {
        p = Px(Mix(top, bottom, h > 1 ? double(y) / (h - 1) : 0));
      } else {
        p = kKey;
      }
      if (v.Contains(x0 + x, y0 + y)) v.Pixel(x0 + x, y0 + y) = p;
    }
}

// Glyph art: '#' full colour, '+' half toward the background (soft edge).
void Art(const TPixelView32& v, int x0, int y0, const std::vector<std::string>& rows, RGB c, RGB soft) {
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x) {
      char ch = rows[y][x];
      if (ch == '#' || ch == '+')
        if (v.Contains(x0 + int(x), y0 + int(y))) v.Pixel(x0 + int(x), y0 + int(y)) = Px(ch == '#' ? c : soft);
    }
}

void ArtCentered(const TPixelView32& v, int x0, int y0, int w, int h, const std::vector<std::string>& rows, RGB c,
                 RGB soft) {
  int aw = static_cast<int>(rows.empty() ? 0 : rows[0].size()), ah = static_cast<int>(rows.size());
  Art(v, x0 + (w - aw) / 2, y0 + (h - ah) / 2, rows, c, soft);
}

std::vector<std::string> Rotate(const std::vector<std::string>& rows) {  // a quarter turn clockwise
  int h = static_cast<int>(rows.size()), w = static_cast<int>(rows[0].size());
  std::vector<std::string> out(w, std::string(h, '.'));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out[x][h - 1 - y] = rows[y][x];
  return out;
}

const std::vector<std::string> kClose = {"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.",
                                         "##....##"};
const std::vector<std::string> kMax = {"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#",
                                       "#########"};
const std::vector<std::string> kNorm = {"..#######", "..#######", "..#.....#", "#######.#", "#######.#", "#.....###",
                                        "#.....#..", "#######.."};
const std::vector<std::string> kMin = {".......", ".......", ".......", ".......", ".......", "#########",
                                       "#########"};
const std::vector<std::string> kHelp = {".####.", "##..##", "....##", "...##.", "..##..", "......", "..##.."};
const std::vector<std::string> kCheck = {"......#", ".....##", "#...##.", "##.##..", ".###...", "..#...."};
const std::vector<std::string> kArrowDown = {"#######", ".#####.", "..###..", "...#..."};

// ---- the master image and its description ----

struct TElement {
  std::string Section, Key, Value;
};

class TSkinBuilder {
 public:
  explicit TSkinBuilder(int width) : width_(width), image_(TPixelFormat::pf32bit, width, 1024) {
    Fill(View(), 0, 0, width, 1024, kKey);
  }
  TPixelView32 View() { return skin::View32(image_); }

  // Places frames side by side (shelf packing, 2 pixels apart) and draws
  // each; answers the rectangle's origin.
  fw::TPoint Place(int frames, int fw, int fh, const std::function<void(int frame, int x, int y)>& draw) {
    int w = frames * fw;
    if (x_ + w > width_) {
      x_ = 0;
      y_ += shelf_ + 2;
      shelf_ = 0;
    }
    fw::TPoint at{x_, y_};
    for (int f = 0; f < frames; ++f) draw(f, x_ + f * fw, y_);
    x_ += w + 2;
    shelf_ = std::max(shelf_, fh);
    return at;
  }

  static std::string D4(int v) {
    std::string s = std::to_string(v);
    return std::string(4 - s.size(), '0') + s;
  }

  void Glyph(const std::string& section, const std::string& key, int frames, int fw, int fh,
             const std::function<void(int, int, int)>& draw) {
    fw::TPoint p = Place(frames, fw, fh, draw);
    elements_.push_back({section, key,
                         "@" + D4(p.x) + "@" + D4(p.y) + "@" + D4(p.x + frames * fw) + "@" + D4(p.y + fh) + "@" +
                             Num(frames) + "@0"});
  }

  void Border(const std::string& section, const std::string& key, int frames, int fw, int fh, int wl, int wt, int wr,
              int wb, int drawMode, const std::function<void(int, int, int)>& draw) {
    fw::TPoint p = Place(frames, fw, fh, draw);
    elements_.push_back({section, key,
                         "^" + D4(p.x) + "^" + D4(p.y) + "^" + D4(p.x + frames * fw) + "^" + D4(p.y + fh) + "^" +
                             D4(wl) + "^" + D4(wt) + "^" + D4(wr) + "^" + D4(wb) + "^" + Num(frames) + "^0^" +
                             Num(drawMode) + "^0"});
  }

  TPixelBuffer Finish() {
    int h = y_ + shelf_;
    TPixelBuffer out(TPixelFormat::pf32bit, width_, h);
    for (int y = 0; y < h; ++y) std::copy_n(image_.ScanLine(y), 4 * width_, out.ScanLine(y));
    return out;
  }
  const std::vector<TElement>& Elements() const { return elements_; }

 private:
  int width_;
  TPixelBuffer image_;
  int x_ = 0, y_ = 0, shelf_ = 0;
  std::vector<TElement> elements_;
};

// Sections in the order of the description, each with its keys in order.
class TDescription {
 public:
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    auto it = std::find_if(sections_.begin(), sections_.end(), [&](auto& s) { return s.first == section; });
    if (it == sections_.end()) {
      sections_.push_back({section, {}});
      it = sections_.end() - 1;
    }
    it->second.push_back({key, value});
  }
  std::string Text() const {
    std::string out;
    for (const auto& [name, keys] : sections_) {
      out += "[" + name + "]\r\n";
      for (const auto& [k, v] : keys) out += k + "=" + v + "\r\n";
      out += "\r\n";
    }
    return out;
  }

 private:
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

std::string Gradient(RGB top, RGB bottom, int mode = 0) {
  return Num(Col(top)) + ";" + Num(Col(bottom)) + ";100;" + Num(mode) + ";0";
}

TProgramSkin MakeSkin(const TTheme& theme) {
  const TColors c = ColorsOf(theme);
  TSkinBuilder b(240);
  TPixelView32 v = b.View();
  TDescription d;

  // Global values first, so that GLOBALINFO opens the description.
  d.Set("GLOBALINFO", "VERSION", "8.00");
  d.Set("GLOBALINFO", "AUTHOR", "Vestaline3");
  d.Set("GLOBALINFO", "DESCRIPTION", theme.Description);
  d.Set("GLOBALINFO", "MASTERBITMAP", "MASTER.BMP");
  d.Set("GLOBALINFO", "COLOR", Num(Col(c.face)));
  d.Set("GLOBALINFO", "FONTCOLOR", Num(Col(c.text)));
  d.Set("GLOBALINFO", "BORDERCOLOR", Num(Col(c.line)));
  d.Set("GLOBALINFO", "TCBOTTOM", Num(Col(c.accentDark)));
  d.Set("GLOBALINFO", "TCTOP", Num(Col(c.accent)));
  d.Set("GLOBALINFO", "COMBOMARGIN", "2");
  d.Set("GLOBALINFO", "BISPACE", "1");
  d.Set("GLOBALINFO", "BIVALIGN", "0");
  d.Set("GLOBALINFO", "BIRIGHT", "2");
  d.Set("GLOBALINFO", "BILEFT", "2");
  d.Set("GLOBALINFO", "BITOP", "2");
  d.Set("GLOBALINFO", "BIKEEPHUE", "0");
  d.Set("GLOBALINFO", "SH_SOURCE", "0");
  d.Set("GLOBALINFO", "LO_SOURCE", "0");

  // Title-bar buttons: normal (glyph only), hot, pressed.
  auto titleButton = [&](const std::string& key, const std::vector<std::string>& art, bool close, int w, int h) {
    b.Glyph("GLOBALINFO", key, 3, w, h, [&, close](int f, int x, int y) {
      RGB glyph = c.text;
      if (f > 0) {
        RGB fill = close ? (f == 1 ? c.closeHot : c.closePressed) : (f == 1 ? c.accentPale : c.accentLight);
        RGB edge = close ? c.closePressed : (f == 1 ? c.accentLight : c.accent);
        Box(v, x, y, w, h, 2, &edge, fill, fill);
        if (close) glyph = kWhite;
      }
      ArtCentered(v, x, y, w, h, art, glyph, glyph);
    });
  };
  titleButton("BICONCLOSE", kClose, true, 21, 18);
  titleButton("BICLOSEALONE", kClose, true, 21, 18);
  titleButton("BICONMAX", kMax, false, 21, 18);
  titleButton("BICONNORM", kNorm, false, 21, 18);
  titleButton("BICONMIN", kMin, false, 21, 18);
  titleButton("BICONHELP", kHelp, false, 21, 18);
  titleButton("SICONCLOSE", kClose, true, 16, 14);
  titleButton("SICONMAX", kMax, false, 16, 14);
  titleButton("SICONNORM", kNorm, false, 16, 14);
  titleButton("SICONMIN", kMin, false, 16, 14);
  titleButton("SICONHELP", kHelp, false, 16, 14);

  // Check boxes and radio buttons: normal, hot, pressed.
  auto box = [&](const std::string& key, int mark) {  // 0 none, 1 check, 2 grey square
    b.Glyph("GLOBALINFO", key, 3, 13, 13, [&, mark](int f, int x, int y) {
      RGB edge = f == 0 ? c.lineDark : c.accent;
      RGB fill = f == 2 ? c.accentPale : c.window;
      Box(v, x, y, 13, 13, 1, &edge, fill, fill);
      if (mark == 1) Art(v, x + 3, y + 3, kCheck, c.accentDark, c.accentDark);
      if (mark == 2) Fill(v, x + 3, y + 3, x + 10, y + 10, Px(c.accentLight));
    });
  };
  auto radio = [&](const std::string& key, int mark) {
    b.Glyph("GLOBALINFO", key, 3, 13, 13, [&, mark](int f, int x, int y) {
      RGB edge = f == 0 ? c.lineDark : c.accent;
      RGB fill = f == 2 ? c.accentPale : c.window;
      for (int py = 0; py < 13; ++py)
        for (int px = 0; px < 13; ++px) {
          // The outermost ring is softened toward the face colour, which
          // keeps the 13-pixel circle from looking like an octagon.
          double dist = std::hypot(px - 6.0, py - 6.0);
          uint32_t p = dist > 6.7   ? kKey
                       : dist > 6.0 ? Px(Mix(edge, c.face, 0.55))
                       : dist > 5.0 ? Px(edge)
                                    : Px(fill);
          if (mark && dist <= 2.6) p = Px(mark == 1 ? c.accentDark : c.accentLight);
          v.Pixel(x + px, y + py) = p;
        }
    });
  };
  box("BOXCHECKED", 1);
  box("BOXUNCHECKED", 0);
  box("BOXGRAYED", 2);
  radio("RADIOCHECKED", 1);
  radio("RADIOUNCHECKED", 0);
  radio("RADIOGRAYED", 2);
  b.Glyph("GLOBALINFO", "GRIPIMAGE", 1, 12, 12, [&](int, int x, int y) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j + i < 3; ++j) {
        int px = x + 9 - 3 * i, py = y + 9 - 3 * j;
        v.Pixel(px, py) = Px(c.lineDark);
        v.Pixel(px + 1, py + 1) = Px(c.faceLight);
      }
  });

  // Window frames: inactive, active. Rounded top corners keyed, so the
  // window region follows them.
  auto windowFrame = [&](const std::string& section) {
    b.Border(section, "BORDERSMASK", 2, 24, 24, 4, 4, 4, 4, 1, [&](int f, int x, int y) {
      RGB edge = f == 0 ? c.line : c.accentDark;
      Box(v, x, y, 24, 24, 0, &edge, c.face, c.face);
      for (int i = 0; i < 2; ++i) {
        v.Pixel(x + i, y) = v.Pixel(x, y + i) = kKey;
        v.Pixel(x + 23 - i, y) = v.Pixel(x + 23, y + i) = kKey;
      }
      v.Pixel(x + 1, y + 1) = v.Pixel(x + 22, y + 1) = Px(edge);
    });
  };
  windowFrame("FORM");
  d.Set("FORM", "STATES", "2");
  d.Set("FORM", "COLOR", Num(Col(c.face)));
  d.Set("FORM", "FONTCOLOR", Num(Col(c.text)));
  d.Set("FORM", "HOTCOLOR", Num(Col(c.face)));
  d.Set("FORM", "HOTFONTCOLOR", Num(Col(c.text)));

  b.Border("FORMTITLE", "BORDERSMASK", 2, 24, 24, 2, 2, 2, 1, 1, [&](int f, int x, int y) {
    Fill(v, x, y, x + 24, y + 24, kKey);
    Fill(v, x, y + 23, x + 24, y + 24, Px(f == 0 ? c.line : c.accentDark));
  });
  d.Set("FORMTITLE", "STATES", "2");
  d.Set("FORMTITLE", "COLOR", Num(Col(c.face)));
  d.Set("FORMTITLE", "FONTCOLOR", Num(Col(c.textSoft)));
  // The active title is a light tint of the accent, so that the caption and
  // the title buttons' dark glyphs read well on both skins; the accent
  // itself is the frame and the title's bottom rule.
  d.Set("FORMTITLE", "HOTCOLOR", Num(Col(Mix(c.accent, kWhite, 0.62))));
  d.Set("FORMTITLE", "HOTFONTCOLOR", Num(Col(c.text)));
  d.Set("FORMTITLE", "GRADIENTPERCENT", "100");
  d.Set("FORMTITLE", "GRADIENTDATA", Gradient(c.faceLight, c.face));
  d.Set("FORMTITLE", "HOTGRADIENTPERCENT", "100");
  d.Set("FORMTITLE", "HOTGRADIENTDATA", Gradient(Mix(c.accent, kWhite, 0.74), Mix(c.accent, kWhite, 0.52)));
  d.Set("FORMTITLE", "GLOW", "0");

  windowFrame("DIALOG");
  d.Set("DIALOG", "STATES", "2");
  d.Set("DIALOG", "COLOR", Num(Col(c.face)));
  d.Set("DIALOG", "FONTCOLOR", Num(Col(c.text)));
  d.Set("DIALOG", "HOTCOLOR", Num(Col(c.face)));
  d.Set("DIALOG", "HOTFONTCOLOR", Num(Col(c.text)));

  // Menus.
  b.Border("MAINMENU", "BORDERSMASK", 1, 12, 12, 1, 1, 1, 1, 1, [&](int, int x, int y) {
    Box(v, x, y, 12, 12, 0, &c.line, c.menu, c.menu);
  });
  d.Set("MAINMENU", "STATES", "1");
  d.Set("MAINMENU", "COLOR", Num(Col(c.menu)));
  d.Set("MAINMENU", "FONTCOLOR", Num(Col(c.text)));
  b.Border("MENUITEM", "BORDERSMASK", 2, 12, 12, 2, 2, 2, 2, 3, [&](int f, int x, int y) {
    if (f == 0) Fill(v, x, y, x + 12, y + 12, kKey);
    else Box(v, x, y, 12, 12, 2, &c.accentLight, c.accentPale, c.accentPale);
  });
  d.Set("MENUITEM", "STATES", "2");
  // A normal item shows the menu's own background (the icon column, the
  // menu line); only the hot one has a face.
  d.Set("MENUITEM", "TRANSPARENCY", "100");
  d.Set("MENUITEM", "HOTTRANSPARENCY", "0");
  d.Set("MENUITEM", "COLOR", Num(Col(c.menu)));
  d.Set("MENUITEM", "FONTCOLOR", Num(Col(c.text)));
  d.Set("MENUITEM", "HOTCOLOR", Num(Col(c.accentPale)));
  d.Set("MENUITEM", "HOTFONTCOLOR", Num(Col(c.text)));
  d.Set("MENULINE", "STATES", "2");
  d.Set("MENULINE", "COLOR", Num(Col(c.face)));
  d.Set("MENULINE", "FONTCOLOR", Num(Col(c.text)));
  d.Set("MENULINE", "HOTCOLOR", Num(Col(c.accentPale)));
  d.Set("MENULINE", "HOTFONTCOLOR", Num(Col(c.text)));
  d.Set("ICOLINE", "STATES", "1");
  d.Set("ICOLINE", "COLOR", Num(Col(Mix(c.menu, c.face, 0.5))));
  // A menu's divider is two pixels high: the line on top.
  b.Border("DIVIDERV", "BORDERSMASK", 1, 12, 2, 1, 1, 1, 1, 5, [&](int, int x, int y) {
    Fill(v, x, y, x + 12, y + 2, kKey);
    Fill(v, x, y, x + 12, y + 1, Px(c.line));
  });
  d.Set("DIVIDERV", "STATES", "1");
  d.Set("DIVIDERV", "TRANSPARENCY", "100");
  d.Set("SELECTION", "STATES", "2");
  d.Set("SELECTION", "COLOR", Num(Col(c.faceDark)));
  d.Set("SELECTION", "FONTCOLOR", Num(Col(c.text)));
  // A darker accent keeps white text legible on amber too.
  d.Set("SELECTION", "HOTCOLOR", Num(Col(Mix(c.accent, kBlack, 0.2))));
  d.Set("SELECTION", "HOTFONTCOLOR", Num(Col(kWhite)));

  // Edits and combo boxes: normal, focused.
  auto field = [&](const std::string& section) {
    b.Border(section, "BORDERSMASK", 2, 12, 12, 2, 2, 2, 2, 1, [&](int f, int x, int y) {
      RGB edge = f == 0 ? c.line : c.accent;
      Box(v, x, y, 12, 12, 0, &edge, c.window, c.window);
    });
    d.Set(section, "STATES", "2");
    d.Set(section, "COLOR", Num(Col(c.window)));
    d.Set(section, "FONTCOLOR", Num(Col(c.text)));
    d.Set(section, "HOTCOLOR", Num(Col(c.window)));
    d.Set(section, "HOTFONTCOLOR", Num(Col(c.text)));
  };
  field("EDIT");
  field("COMBOBOX");
  auto arrows = [&](const std::string& section, const std::vector<std::string>& art) {
    b.Glyph(section, "GLYPHMASK", 3, 7, 7, [&](int f, int x, int y) {
      Fill(v, x, y, x + 7, y + 7, kKey);
      ArtCentered(v, x, y, 7, 7, art, f == 0 ? c.textSoft : c.accentDark, c.textSoft);
    });
  };
  arrows("COMBOBOX", kArrowDown);
  b.Border("COMBOBTN", "BORDERSMASK", 3, 16, 16, 3, 3, 3, 3, 5, [&](int f, int x, int y) {
    if (f == 0) {
      Fill(v, x, y, x + 16, y + 16, Px(c.window));
      Fill(v, x, y + 2, x + 1, y + 14, Px(c.faceDark));
    } else {
      const RGB& edge = f == 1 ? c.accentLight : c.accent;
      RGB fill = f == 1 ? c.accentPale : c.accentLight;
      Box(v, x, y, 16, 16, 2, &edge, fill, fill);
    }
  });
  d.Set("COMBOBTN", "STATES", "3");
  d.Set("COMBOBTN", "COLOR", Num(Col(c.window)));
  d.Set("COMBOBTN", "HOTCOLOR", Num(Col(c.accentPale)));

  // Push buttons: normal, hot, pressed, default.
  b.Border("BUTTON", "BORDERSMASK", 4, 16, 16, 3, 3, 3, 3, 1, [&](int f, int x, int y) {
    RGB edge = f == 0 ? c.lineDark : f == 1 ? c.accentLight : c.accent;
    RGB top = f == 2 ? c.accentPale : f == 1 ? Mix(c.accentPale, kWhite, 0.5) : kWhite;
    RGB bottom = f == 2 ? c.accentLight : f == 1 ? c.accentPale : c.faceDark;
    Box(v, x, y, 16, 16, 2, &edge, top, bottom);
    if (f == 3) Box(v, x + 1, y + 1, 14, 14, 1, &c.accentPale, top, bottom);
  });
  d.Set("BUTTON", "STATES", "4");
  d.Set("BUTTON", "COLOR", Num(Col(c.faceLight)));
  d.Set("BUTTON", "FONTCOLOR", Num(Col(c.text)));
  d.Set("BUTTON", "HOTCOLOR", Num(Col(c.accentPale)));
  d.Set("BUTTON", "HOTFONTCOLOR", Num(Col(c.text)));
  d.Set("BUTTON", "GRADIENTPERCENT", "100");
  d.Set("BUTTON", "GRADIENTDATA", Gradient(kWhite, c.faceDark));
  d.Set("BUTTON", "HOTGRADIENTPERCENT", "100");
  d.Set("BUTTON", "HOTGRADIENTDATA", Gradient(Mix(c.accentPale, kWhite, 0.5), c.accentPale));

  b.Border("COLHEADER", "BORDERSMASK", 3, 16, 16, 2, 2, 2, 2, 5, [&](int f, int x, int y) {
    RGB fill = f == 0 ? c.faceLight : f == 1 ? c.accentPale : c.faceDark;
    Fill(v, x, y, x + 16, y + 16, Px(fill));
    Fill(v, x, y + 15, x + 16, y + 16, Px(c.line));
    Fill(v, x + 15, y + 3, x + 16, y + 13, Px(c.line));
  });
  d.Set("COLHEADER", "STATES", "3");
  d.Set("COLHEADER", "COLOR", Num(Col(c.faceLight)));
  d.Set("COLHEADER", "FONTCOLOR", Num(Col(c.text)));
  d.Set("COLHEADER", "HOTCOLOR", Num(Col(c.accentPale)));
  d.Set("COLHEADER", "HOTFONTCOLOR", Num(Col(c.text)));

  // Status bar, dividers, the gauge.
  d.Set("STATUSBAR", "STATES", "1");
  d.Set("STATUSBAR", "COLOR", Num(Col(c.faceDark)));
  d.Set("STATUSBAR", "FONTCOLOR", Num(Col(c.text)));
  // The line lies in the left border part: a divider as narrow as its two
  // border parts (a status bar's, a tool bar's separator) shows no middle.
  b.Border("DIVIDER", "BORDERSMASK", 1, 5, 12, 2, 1, 2, 1, 5, [&](int, int x, int y) {
    Fill(v, x, y, x + 5, y + 12, kKey);
    Fill(v, x + 1, y, x + 2, y + 12, Px(c.line));
  });
  d.Set("DIVIDER", "STATES", "1");
  d.Set("DIVIDER", "TRANSPARENCY", "100");
  b.Border("GAUGE", "BORDERSMASK", 1, 12, 12, 2, 2, 2, 2, 1, [&](int, int x, int y) {
    Box(v, x, y, 12, 12, 2, &c.line, c.window, c.window);
  });
  d.Set("GAUGE", "STATES", "1");
  d.Set("GAUGE", "COLOR", Num(Col(c.window)));
  auto progress = [&](const std::string& section, int mode) {
    b.Border(section, "BORDERSMASK", 1, 12, 12, 1, 1, 1, 1, 1, [&](int, int x, int y) {
      Box(v, x, y, 12, 12, 1, &c.accentDark, Mix(c.accent, kWhite, 0.30), c.accent);
    });
    d.Set(section, "STATES", "1");
    d.Set(section, "COLOR", Num(Col(c.accent)));
    d.Set(section, "GRADIENTPERCENT", "100");
    d.Set(section, "GRADIENTDATA", Gradient(Mix(c.accent, kWhite, 0.30), c.accent, mode));
  };
  progress("PROGRESSH", 0);
  progress("PROGRESSV", 1);

  // Scroll bars: track halves, arrow buttons, thumbs; normal, hot, pressed.
  auto track = [&](const std::string& section, int w, int h) {
    b.Border(section, "BORDERSMASK", 3, w, h, 2, 2, 2, 2, 5, [&, w, h](int f, int x, int y) {
      RGB fill = f == 0 ? c.track : f == 1 ? c.faceDark : c.line;
      Fill(v, x, y, x + w, y + h, Px(fill));
    });
    d.Set(section, "STATES", "3");
    d.Set(section, "COLOR", Num(Col(c.track)));
  };
  track("SCROLLBAR1H", 16, 12);
  track("SCROLLBAR2H", 16, 12);
  track("SCROLLBAR1V", 12, 16);
  track("SCROLLBAR2V", 12, 16);
  const std::vector<std::string> up = Rotate(Rotate(kArrowDown));
  const std::vector<std::string> left = Rotate(kArrowDown);
  const std::vector<std::string> right = Rotate(up);
  auto scrollButton = [&](const std::string& section, const std::vector<std::string>& art) {
    b.Border(section, "BORDERSMASK", 3, 12, 12, 3, 3, 3, 3, 5, [&](int f, int x, int y) {
      if (f == 0) {
        Fill(v, x, y, x + 12, y + 12, Px(c.track));
      } else {
        const RGB& edge = f == 1 ? c.line : c.accent;
        RGB fill = f == 1 ? c.faceDark : c.accentLight;
        Box(v, x, y, 12, 12, 2, &edge, fill, fill);
      }
    });
    arrows(section, art);
    d.Set(section, "STATES", "3");
    d.Set(section, "COLOR", Num(Col(c.track)));
  };
  scrollButton("SCROLLBTNLEFT", left);
  scrollButton("SCROLLBTNRIGHT", right);
  scrollButton("SCROLLBTNTOP", up);
  scrollButton("SCROLLBTNBOTTOM", kArrowDown);
  auto thumb = [&](const std::string& section, int w, int h) {
    b.Border(section, "BORDERSMASK", 3, w, h, 3, 3, 3, 3, 5, [&, w, h](int f, int x, int y) {
      Fill(v, x, y, x + w, y + h, Px(c.track));
      RGB fill = f == 0 ? c.line : f == 1 ? Mix(c.line, c.accent, 0.45) : c.accent;
      Box(v, x + (w > h ? 0 : 2), y + (w > h ? 2 : 0), w > h ? w : w - 4, w > h ? h - 4 : h, 3, nullptr, fill, fill);
    });
    d.Set(section, "STATES", "3");
    d.Set(section, "COLOR", Num(Col(c.line)));
  };
  thumb("SCROLLSLIDERH", 16, 12);
  thumb("SCROLLSLIDERV", 12, 16);

  // Dialog statics and group boxes show their parent's background.
  d.Set("CHECKBOX", "STATES", "1");
  d.Set("CHECKBOX", "TRANSPARENCY", "100");
  d.Set("CHECKBOX", "FONTCOLOR", Num(Col(c.text)));
  // One-pixel edges: edges are copied whole, so they hold no see-through
  // pixels; the corner pixel is left out for a softer corner.
  b.Border("GROUPBOX", "BORDERSMASK", 1, 12, 12, 1, 1, 1, 1, 1, [&](int, int x, int y) {
    Box(v, x, y, 12, 12, 1, &c.line, c.face, c.face, false);
  });
  d.Set("GROUPBOX", "STATES", "1");
  d.Set("GROUPBOX", "TRANSPARENCY", "100");
  d.Set("GROUPBOX", "FONTCOLOR", Num(Col(c.text)));

  // Tool bars and small buttons.
  d.Set("TOOLBAR", "STATES", "1");
  d.Set("TOOLBAR", "COLOR", Num(Col(c.face)));
  d.Set("TOOLBAR", "FONTCOLOR", Num(Col(c.text)));
  auto smallButton = [&](const std::string& section, bool hotOnly) {
    b.Border(section, "BORDERSMASK", 3, 12, 12, 3, 3, 3, 3, hotOnly ? 3 : 1, [&, hotOnly](int f, int x, int y) {
      if (f == 0 && hotOnly) {
        Fill(v, x, y, x + 12, y + 12, kKey);
        return;
      }
      const RGB& edge = f == 0 ? c.line : f == 1 ? c.accentLight : c.accent;
      RGB fill = f == 0 ? c.faceLight : f == 1 ? c.accentPale : c.accentLight;
      Box(v, x, y, 12, 12, 2, &edge, fill, fill);
    });
    d.Set(section, "STATES", "3");
    d.Set(section, "COLOR", Num(Col(c.face)));
    d.Set(section, "FONTCOLOR", Num(Col(c.text)));
    d.Set(section, "HOTCOLOR", Num(Col(c.accentPale)));
    d.Set(section, "HOTFONTCOLOR", Num(Col(c.text)));
  };
  smallButton("TOOLBUTTON", true);
  smallButton("SPEEDBUTTON_SMALL", false);
  smallButton("UPDOWNBTN", false);

  // Tab controls: a tab per side (normal, hot, the selected one, which
  // carries an accent line on its outer edge) opening into the page area.
  auto tab = [&](const std::string& section, int side) {  // 0 left, 1 top, 2 right, 3 bottom
    b.Border(section, "BORDERSMASK", 3, 16, 16, 3, 3, 3, 3, 1, [&, side](int f, int x, int y) {
      RGB fill = f == 0 ? c.faceDark : f == 1 ? c.accentPale : c.faceLight;
      for (int py = 0; py < 16; ++py)
        for (int px = 0; px < 16; ++px) {
          // u runs along the tab, w from its outer edge toward the page.
          const int u = side == 0 || side == 2 ? py : px;
          const int w = side == 0 ? px : side == 1 ? py : side == 2 ? 15 - px : 15 - py;
          const bool corner = w < 2 && (u < 2 || u > 13);
          uint32_t p = Px(fill);
          if (corner && (u + w == 0 || (15 - u) + w == 0)) p = kKey;
          else if (u == 0 || u == 15 || w == 0 || (corner && (u + w == 1 || (15 - u) + w == 1))) p = Px(c.line);
          else if (f == 2 && w <= 2) p = Px(c.accent);
          v.Pixel(x + px, y + py) = p;
        }
    });
    d.Set(section, "STATES", "3");
    d.Set(section, "COLOR", Num(Col(c.faceDark)));
    d.Set(section, "FONTCOLOR", Num(Col(c.textSoft)));
    d.Set(section, "HOTCOLOR", Num(Col(c.accentPale)));
    d.Set(section, "HOTFONTCOLOR", Num(Col(c.text)));
  };
  tab("TABLEFT", 0);
  tab("TABTOP", 1);
  tab("TABRIGHT", 2);
  tab("TABBOTTOM", 3);
  for (const char* page : {"PAGECONTROL", "PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT"}) {
    b.Border(page, "BORDERSMASK", 1, 12, 12, 1, 1, 1, 1, 1, [&](int, int x, int y) {
      Box(v, x, y, 12, 12, 0, &c.line, c.faceLight, c.faceLight);
    });
    d.Set(page, "STATES", "1");
    d.Set(page, "COLOR", Num(Col(c.faceLight)));
    d.Set(page, "FONTCOLOR", Num(Col(c.text)));
  }

  // Panels: raised and lowered bevels of one pixel.
  auto panel = [&](const std::string& section, bool raised) {
    b.Border(section, "BORDERSMASK", 1, 12, 12, 1, 1, 1, 1, 1, [&, raised](int, int x, int y) {
      Fill(v, x, y, x + 12, y + 12, Px(c.face));
      const RGB& light = raised ? c.faceLight : c.line;
      const RGB& dark = raised ? c.line : c.faceLight;
      Fill(v, x, y, x + 12, y + 1, Px(light));
      Fill(v, x, y, x + 1, y + 12, Px(light));
      Fill(v, x, y + 11, x + 12, y + 12, Px(dark));
      Fill(v, x + 11, y, x + 12, y + 12, Px(dark));
    });
    d.Set(section, "STATES", "1");
    d.Set(section, "COLOR", Num(Col(c.face)));
    d.Set(section, "FONTCOLOR", Num(Col(c.text)));
  };
  panel("PANEL", true);
  panel("PANEL_LOW", false);

  for (const TElement& e : b.Elements()) d.Set(e.Section, e.Key, e.Value);

  TProgramSkin s;
  s.Name = theme.Name;
  s.FileName = theme.FileName;
  s.Options = d.Text();
  s.Master = b.Finish();
  std::vector<skin::TPackEntry> entries;
  entries.push_back({u"Options.dat", std::vector<uint8_t>(s.Options.begin(), s.Options.end())});
  entries.push_back({u"MASTER.BMP", skin::EncodeBitmap24(s.Master)});
  s.Packed = skin::WritePackedSkin(entries);
  return s;
}

}  // namespace

std::vector<TProgramSkin> MakeProgramSkins() {
  const RGB grey{236, 237, 239};
  TTheme topaz{"Topaz (internal)", "topaz.ksz", "Warm amber accents on light grey", {236, 140, 22}, grey,
               {222, 70, 52}};
  TTheme sapphire{"Sapphire (internal)", "sapphire.ksz", "Cool blue accents on light grey", {22, 104, 232}, grey,
                  {222, 70, 52}};
  return {MakeSkin(topaz), MakeSkin(sapphire)};
}

TPixelBuffer MakeBlur5() {
  TPixelBuffer b(TPixelFormat::pf8bit, 19, 19);
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 19; ++x) {
      // Distance from the nearest edge, 0.5 .. 9.5, through a smooth step.
      double e = std::min({x + 0.5, y + 0.5, 18.5 - x, 18.5 - y}) / 9.5;
      double s = e * e * (3 - 2 * e);
      b.ScanLine(y)[x] = static_cast<uint8_t>(std::lround(255 * s));
    }
  return b;
}

TPixelBuffer MakeShadowTemplate(bool active) {
  TPixelBuffer b(TPixelFormat::pf32bit, 33, 33);
  const double depth = active ? 0.42 : 0.26;
  for (int y = 0; y < 33; ++y)
    for (int x = 0; x < 33; ++x) {
      // The window covers the middle; its shadow fades over 9 pixels.
      double dx = std::max(0.0, std::abs(x - 16.0) - 7.5), dy = std::max(0.0, std::abs(y - 16.0) - 7.5);
      double t = std::min(1.0, std::hypot(dx, dy) / 9.0);
      double a = depth * (1 - t) * (1 - t);
      b.ScanLine(y)[4 * x + 3] = static_cast<uint8_t>(std::lround(255 * a));
    }
  return b;
}

TPixelBuffer MakeMenuButton() {
  constexpr int w = 24, h = 20;
  TPixelBuffer b(TPixelFormat::pf32bit, 3 * w, h);
  const TPixelView32 v = skin::View32(b);
  // A dark glassy pill that takes the white caption of a title-bar menu
  // button; hot is lighter, pressed darker and flatter.
  const RGB border{38, 52, 74};
  const RGB tops[3] = {{92, 112, 142}, {122, 146, 182}, {58, 74, 100}};
  const RGB bottoms[3] = {{48, 62, 86}, {70, 92, 126}, {50, 64, 88}};
  for (int f = 0; f < 3; ++f) Box(v, f * w, 0, w, h, 4, &border, tops[f], bottoms[f]);
  return b;
}

TPixelBuffer MakeGaugeLight() {
  TPixelBuffer b(TPixelFormat::pf32bit, 60, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      // White, fading in from both ends to 134 in the middle column; the
      // middle rows carry less light than the top and bottom ones.
      const double along = std::sin(3.14159265358979 * (x + 0.5) / 60.0);
      const double across = 0.55 + 0.45 * std::abs(y - 9.5) / 9.5;
      uint8_t* p = b.ScanLine(y) + 4 * x;
      p[0] = p[1] = p[2] = 255;
      p[3] = static_cast<uint8_t>(std::lround(134 * along * along * across));
    }
  return b;
}

std::vector<TGeneratedFile> MakeGeneratedFiles() {
  std::vector<TGeneratedFile> files;
  for (const TProgramSkin& s : MakeProgramSkins()) files.push_back({s.FileName, s.Packed});
  files.push_back({"blur5.bmp", skin::EncodeBitmap8Grey(MakeBlur5())});
  files.push_back({"shadow_active.png", skin::EncodePngRGBA(MakeShadowTemplate(true))});
  files.push_back({"shadow_inactive.png", skin::EncodePngRGBA(MakeShadowTemplate(false))});
  files.push_back({"menubtn.png", skin::EncodePngRGBA(MakeMenuButton())});
  files.push_back({"gauge_light.png", skin::EncodePngRGBA(MakeGaugeLight())});
  return files;
}

TPixelBuffer MakeContactSheet(const TProgramSkin& s, int saturation) {
  skin::TSkinLoadOptions o;
  o.Saturation = saturation;
  std::unique_ptr<skin::TkLoadedSkin> loaded = skin::LoadPackedSkin(fw::AnsiToString(s.Name), s.Packed, o);
  const skin::TkLoadedSkin& k = *loaded;
  const int scale = 3, width = 900;
  const uint32_t paper = skin::MakePixel(250, 250, 250, 255), ink = skin::MakePixel(40, 40, 40, 255);
  const uint32_t checkA = skin::MakePixel(255, 255, 255, 255), checkB = skin::MakePixel(214, 214, 214, 255);
  // Lay out first to know the height, then draw.
  auto layout = [&](const TPixelView32* v) {
    int x = 12, y = 12 + 30, shelf = 0;
    if (v) DrawTinyText(*v, 12, 12, s.Name + "  -  SATURATION " + std::to_string(saturation), ink, 2);
    for (const skin::TkMaskData& m : k.ma) {
      if (m.Bmp) continue;
      std::string label = fw::StringToAnsi(m.ClassName + u"/" + m.PropertyName);
      int w = std::max(m.R.Width() * scale + (m.ImageCount - 1) * 4, static_cast<int>(label.size()) * 6);
      int h = 10 + m.R.Height() * scale;
      if (x + w > width - 12) {
        x = 12;
        y += shelf + 14;
        shelf = 0;
      }
      if (v) {
        DrawTinyText(*v, x, y, label, ink);
        TPixelView32 master = skin::View32(const_cast<TPixelBuffer&>(k.MasterBitmap));
        int frameWidth = skin::MaskFrameWidth(m);
        for (int py = 0; py < m.R.Height(); ++py)
          for (int px = 0; px < m.R.Width(); ++px) {
            uint32_t p = master.Pixel(m.R.Left + px, m.R.Top + py);
            int gap = frameWidth > 0 ? (px / frameWidth) * 4 : 0;
            for (int dy = 0; dy < scale; ++dy)
              for (int dx = 0; dx < scale; ++dx) {
                int ox = x + gap + px * scale + dx, oy = y + 10 + py * scale + dy;
                uint32_t q = p == skin::clSkinKey ? (((ox / 4 + oy / 4) & 1) ? checkA : checkB) : (p | 0xFF000000u);
                if (v->Contains(ox, oy)) v->Pixel(ox, oy) = q;
              }
          }
      }
      x += w + 16;
      shelf = std::max(shelf, h);
    }
    // Inactive and active title bars as a window shows them (twice the
    // size): the title's gradient, the caption in its colour, the buttons.
    y += shelf + 24;
    const int title = k.GetSkinIndex(u"FORMTITLE");
    for (int state = 0; state < 2 && title >= 0; ++state) {
      const int tw = 300, th = 24, top = y + state * (2 * th + 8);
      if (v) {
        const skin::TkGenState& st = k.gd[title].Props[state];
        skin::FillGradient(*v, fw::TRect{12, top, 12 + 2 * tw, top + 2 * th}, st.GradientArray);
        uint32_t text = skin::ColorToPixel(static_cast<uint32_t>(st.FontColor.Color) & 0xFFFFFF, 255);
        DrawTinyText(*v, 24, top + 17, "VESTALINE3 - IDENTIFY FONT", text, 2);
        TPixelView32 master = skin::View32(const_cast<TPixelBuffer&>(k.MasterBitmap));
        const int buttons[] = {k.ConstData.MaskMinBtn, k.ConstData.MaskMaxBtn, k.ConstData.MaskCloseBtn};
        int bx = 12 + 2 * tw - 6;
        for (int i = 2; i >= 0; --i) {
          if (buttons[i] < 0) continue;
          const skin::TkMaskData& m = k.ma[buttons[i]];
          const int fwid = skin::MaskFrameWidth(m), fh = skin::MaskFrameHeight(m);
          bx -= 2 * fwid;
          for (int py = 0; py < fh; ++py)
            for (int px = 0; px < fwid; ++px) {
              uint32_t p = master.Pixel(m.R.Left + px, m.R.Top + py);
              if (p == skin::clSkinKey) continue;
              Fill(*v, bx + 2 * px, top + 6 + 2 * py, bx + 2 * px + 2, top + 8 + 2 * py, p | 0xFF000000u);
            }
        }
      }
    }
    if (title >= 0) y += 2 * (2 * 24 + 8) + 8;
    // Section colours: normal and hot swatches.
    x = 12;
    for (const skin::TkGeneralData& g : k.gd) {
      if (x + 140 > width) {
        x = 12;
        y += 30;
      }
      if (v) {
        for (int i = 0; i < 2; ++i) {
          uint32_t p = skin::ColorToPixel(static_cast<uint32_t>(g.Props[i].Color) & 0xFFFFFF, 255);
          uint32_t t = skin::ColorToPixel(static_cast<uint32_t>(g.Props[i].FontColor.Color) & 0xFFFFFF, 255);
          Fill(*v, x + i * 22, y, x + i * 22 + 20, y + 16, ink);
          Fill(*v, x + i * 22 + 1, y + 1, x + i * 22 + 19, y + 15, p);
          DrawTinyText(*v, x + i * 22 + 5, y + 5, "A", t);
        }
        DrawTinyText(*v, x, y + 19, fw::StringToAnsi(g.ClassName), ink);
      }
      x += 150;
    }
    return y + 40;
  };
  int height = layout(nullptr);
  TPixelBuffer sheet(TPixelFormat::pf32bit, width, height);
  TPixelView32 v = skin::View32(sheet);
  Fill(v, 0, 0, width, height, paper);
  layout(&v);
  return sheet;
}

}  // namespace skinart
