#include "skin/controls/core/tab_geometry.h"

namespace skin {

namespace {

constexpr uint32_t kBottomOrRight = 0x2;  // TCS_BOTTOM, TCS_RIGHT
constexpr uint32_t kVertical = 0x80;      // TCS_VERTICAL
constexpr uint32_t kFlatButtons = 0x8;    // TCS_FLATBUTTONS
constexpr uint32_t kButtons = 0x100;      // TCS_BUTTONS

void Grow(fw::TRect& r, int dx, int dy) {
  r.Left -= dx;
  r.Right += dx;
  r.Top -= dy;
  r.Bottom += dy;
}

void Move(fw::TRect& r, int dx, int dy) {
  r.Left += dx;
  r.Right += dx;
  r.Top += dy;
  r.Bottom += dy;
}

}  // namespace

TkTabPosition TabPositionOf(uint32_t Style) {
  if (Style & kVertical) return (Style & kBottomOrRight) ? tpRight : tpLeft;
  return (Style & kBottomOrRight) ? tpBottom : tpTop;
}

TkTabStyle TabStyleOf(uint32_t Style) {
  if (Style & kFlatButtons) return tsFlatButtons;
  if (Style & kButtons) return tsButtons;
  return tsTabs;
}

fw::TRect TabClientRect(const fw::TRect& Adjusted) {
  fw::TRect r = Adjusted;
  r.Top += 2;
  return r;
}

fw::TRect TabPageRect(int W, int H, bool HasTabs, TkTabPosition Pos, const fw::TRect& C) {
  fw::TRect r = fw::Rect(0, 0, W, H);
  if (!HasTabs) return r;
  switch (Pos) {
    case tpTop: r.Top = C.Top - 4; break;
    case tpBottom: r.Bottom = C.Bottom + 2; break;
    case tpLeft: r.Left = C.Left - 1; break;
    case tpRight: r.Right = C.Right + 1; break;
  }
  return r;
}

fw::TRect TabStripRect(int W, int H, bool HasTabs, TkTabPosition Pos, const fw::TRect& C) {
  fw::TRect r = fw::Rect(0, 0, W, H);
  if (!HasTabs) return r;
  switch (Pos) {
    case tpTop: r.Bottom = C.Top - 4; break;
    case tpBottom: r.Top = C.Bottom + 2; break;
    case tpLeft: r.Right = C.Left - 1; break;
    case tpRight: r.Left = C.Right + 1; break;
  }
  return r;
}

int TabRow(const fw::TRect& T, const fw::TRect& S, int Rows, TkTabPosition Pos) {
  if (Rows < 2) return 1;
  const int w = T.Width(), h = T.Height();
  switch (Pos) {
    case tpTop: return h > 0 ? (T.Bottom + h / 2) / h : 1;
    case tpLeft: return w > 0 ? (T.Right + w / 2) / w : 1;
    case tpRight: return w > 0 ? Rows - (T.Right + w / 2 - S.Left) / w + 1 : 1;
    case tpBottom: return h > 0 ? Rows - (T.Bottom + h / 2 - S.Top) / h + 1 : 1;
  }
  return 1;
}

fw::TRect SkinTabRect(const fw::TRect& Item, bool Active, TkTabPosition Pos, TkTabStyle Style) {
  fw::TRect r = Item;
  if (Style != tsTabs || r.Width() <= 0 || r.Height() <= 0) return r;
  const int a = Active ? 1 : 0;
  if (Active) {
    r.Bottom -= 1;
  } else {
    r.Bottom += 3;
    r.Right -= 1;
  }
  switch (Pos) {
    case tpTop:
      Grow(r, 2 * a, 2 * a);
      r.Bottom += 1;
      break;
    case tpBottom:
      Grow(r, 2 * a, a);
      r.Top -= 2;
      r.Bottom += Active ? 1 : -3;
      break;
    case tpLeft:
      Grow(r, 0, 1);
      r.Right += 2;
      if (Active) {
        Grow(r, 1, 1);
      } else {
        r.Bottom -= 4;
        r.Right += 2;
      }
      break;
    case tpRight:
      Grow(r, 1, 0);
      Move(r, -1, -1);
      if (Active) {
        Grow(r, 1, 1);
        r.Bottom += 3;
      } else {
        r.Bottom -= 2;
      }
      break;
  }
  return r;
}

fw::String PageSectionName(const fw::String& Own, bool HasTabs, TkTabPosition Pos) {
  if (!HasTabs) return u"CHECKBOX";
  if (Own != u"PAGECONTROL") return Own;
  switch (Pos) {
    case tpBottom: return u"PAGECONTROLBOTTOM";
    case tpLeft: return u"PAGECONTROLLEFT";
    case tpRight: return u"PAGECONTROLRIGHT";
    default: return u"PAGECONTROL";
  }
}

fw::String TabSectionName(TkTabStyle Style, TkTabPosition Pos) {
  if (Style == tsButtons) return u"BUTTON";
  if (Style == tsFlatButtons) return u"TOOLBUTTON";
  switch (Pos) {
    case tpBottom: return u"TABBOTTOM";
    case tpLeft: return u"TABLEFT";
    case tpRight: return u"TABRIGHT";
    default: return u"TABTOP";
  }
}

TkTabContent PlaceTabContent(TkTabPosition Pos, fw::TRect R, bool Active, bool HasImage, int Cx, int Cy, int Tw,
                             int Th) {
  TkTabContent c;
  c.HasImage = HasImage;
  if (Pos == tpTop || Pos == tpBottom) {
    if (HasImage) {
      // Centred by the icon's width, as the tab has always done.
      c.Image = fw::TPoint{R.Left + (R.Width() - (Tw + Cx + 8)) / 2, R.Top + (R.Height() - Cx) / 2};
      R.Left += Cx;
    }
    c.Text = R;
    c.Clip = R;
    return c;
  }
  if (Pos == tpRight) Move(R, -2, -1);
  if (HasImage && Active) Move(R, 2, 0);
  const int across = R.Left + (R.Width() - Th) / 2;
  if (Pos == tpLeft) {
    if (HasImage) {
      const int y = R.Bottom - (R.Height() - (Cy + 4 + Tw)) / 2 - Cy;
      c.Image = fw::TPoint{R.Left + (R.Width() - Cx) / 2, y};
      c.TextOrigin = fw::TPoint{across, y - 4};
    } else {
      c.TextOrigin = fw::TPoint{across, R.Bottom - (R.Height() - Tw) / 2};
    }
  } else {
    if (HasImage) {
      const int y = R.Top + (R.Height() - (Cy + Tw + 4)) / 2;
      c.Image = fw::TPoint{R.Left + (R.Width() - Cx) / 2, y};
      c.TextOrigin = fw::TPoint{across + Th, y + Cy + 4};
    } else {
      c.TextOrigin = fw::TPoint{across + Th, R.Top + (R.Height() - Tw) / 2};
    }
  }
  c.Clip = R;
  return c;
}

int TabTextEscapement(TkTabPosition Pos) {
  if (Pos == tpLeft) return -2700;
  if (Pos == tpRight) return -900;
  return 0;
}

fw::String RotatedFaceName(const fw::String& Face) { return Face == u"MS Sans Serif" ? fw::String(u"Arial") : Face; }

}  // namespace skin
