// The thumbnail view tests' fixtures: a folder of generated bitmap files
// (one of them damaged), and a shown form holding a view set up as the
// main window's crop list (130 pixels wide, thumbnails of 100 x 100 in one
// column), read from a form description.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/views/ckthumbviews.h"
#include "fw/core/rtti.h"
#include "fw/platform_test_folder.h"
#include "fw/stdctrls_test_util.h"

namespace cktest {

using fw::String;

// A 24-bit bitmap file of one colour, with a black square in its middle.
inline void WriteBitmapFile(const String& path, int w, int h, fw::TColor color) {
  fw::TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(w, h);
  bmp.Canvas()->Brush()->SetColor(color);
  bmp.Canvas()->FillRect(fw::Rect(0, 0, w, h));
  bmp.Canvas()->Brush()->SetColor(fw::clBlack);
  bmp.Canvas()->FillRect(fw::Rect(w / 4, h / 4, w - w / 4, h - h / 4));
  bmp.SaveToFile(path);
}

// Files of the crop folder as the cropper names them, made in a shuffled
// order, with a damaged bitmap, a text file and a hidden bitmap beside them.
struct CropFolder {
  fw::testing::TestFolder folder;
  // The readable bitmaps in name order.
  std::vector<String> names;
  String broken;

  explicit CropFolder(const char* name, int count = 5) : folder(name) {
    static const fw::TColor colors[] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0, 0xC000C0, 0xC0C000, 0x808080};
    for (int i = 1; i <= count; ++i) names.push_back(Name(i));
    for (int i = count; i >= 1; --i)
      WriteBitmapFile(folder / Name(i), 20 + 10 * i, 40, colors[(i - 1) % 7]);
    broken = folder / u"imgmod_zzz.BMP";
    fw::testing::WriteTextFile(broken, "BM this is not a bitmap at all, only its first two bytes are");
    fw::testing::WriteTextFile(folder / u"notes.txt", "not a picture");
    String hidden = folder / u"imgmod_hidden.bmp";
    WriteBitmapFile(hidden, 10, 10, fw::clRed);
    SetFileAttributesW(W(hidden), FILE_ATTRIBUTE_HIDDEN);
  }
  static String Name(int i) {
    char buf[32];
    snprintf(buf, sizeof buf, "imgmod_%.3d.BMP", i);
    return fw::Utf8ToString(buf);
  }
  String Path(int i) const { return folder / Name(i); }
  const String& Dir() const { return folder.Path(); }
};

// The handlers a form binds by name; each logs what it saw.
class TThumbTestForm : public fw::TForm {
  FW_CLASS(TThumbTestForm, fw::TForm)
  explicit TThumbTestForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}
  std::vector<std::string> log;
  void thumbDblClick(fw::TObject* Sender) { Note(Sender, "dblclick"); }
  void thumbClick(fw::TObject* Sender) { Note(Sender, "click"); }
  void thumbChanging(fw::TObject* Sender) { Note(Sender, "changing"); }
  void thumbChange(fw::TObject* Sender) { Note(Sender, "change"); }
  void thumbKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState) {
    Note(Sender, ("keydown " + std::to_string(Key)).c_str());
  }

 private:
  void Note(fw::TObject* Sender, const char* what) {
    auto* c = dynamic_cast<fw::TComponent*>(Sender);
    log.push_back((c ? fw::StringToUtf8(c->Name()) : std::string("?")) + " " + what);
  }
};

// The main window's view: 130 pixels wide in a panel, thumbnails at 50 %
// of 200 (100 x 100), gap 4, one column, scrolling up and down.
inline const char16_t* kThumbForm =
    u"object ThumbTest: TThumbTestForm\n"
    u"  Left = 0\n  Top = 0\n  Width = 400\n  Height = 300\n"
    u"  object Panel1: TPanel\n"
    u"    Left = 0\n    Top = 0\n    Width = 130\n    Height = 300\n    Align = alLeft\n"
    u"    BevelOuter = bvNone\n"
    u"    object thumb: TCkThumbView\n"
    u"      Left = 0\n      Top = 0\n      Width = 130\n      Height = 300\n      Align = alClient\n"
    u"      AlignView = vtNormal\n      AsButtons = True\n      AutoHandleKeyb = True\n"
    u"      AutoScrolling = True\n      BorderStyle = bsNone\n      Color = 15459540\n"
    u"      HorzScrollBar.Tracking = True\n      VertScrollBar.Tracking = True\n"
    u"      MaxHeight = 200\n      MaxWidth = 200\n      MinMemory = True\n"
    u"      ScrollMode = smVertical\n      ShadowColor = clBlack\n      ShowShadow = False\n"
    u"      Size = 50\n      Sorted = True\n      TabOrder = 0\n      TabStop = True\n"
    u"      ThumbColor = 16244694\n      ThumbGap = 4\n"
    u"      Filter = 'Bitmaps (*.bmp)|*.bmp'\n"
    u"      Hint = 'List with cropped characters from modified image. Double-click on character to continue.'\n"
    u"      OnDblClick = thumbDblClick\n"
    u"      OnKeyDown = thumbKeyDown\n"
    u"    end\n"
    u"  end\n"
    u"end\n";

struct ThumbForm {
  std::unique_ptr<fwtest::DescribedForm<TThumbTestForm>> form;
  ck::TCkThumbView* view;

  explicit ThumbForm(const char16_t* description = kThumbForm) {
    ck::RegisterThumbViewClasses();
    form = std::make_unique<fwtest::DescribedForm<TThumbTestForm>>(description);
    view = form->Find<ck::TCkThumbView>(u"thumb");
  }
  TThumbTestForm* operator->() const { return form->form; }
  ck::TCkThumbnail* Thumb(int i) const { return view->ThumbList()->GetThumbnail(i); }
  std::vector<std::string> Titles() const {
    std::vector<std::string> r;
    for (int i = 0; i < view->Count(); ++i) r.push_back(fw::StringToUtf8(Thumb(i)->Title()));
    return r;
  }
};

}  // namespace cktest
