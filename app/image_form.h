// The main window: a four-page wizard (introduction, image loading and
// editing, search with results and preview, multi-font preview) with its
// status bar, timers and shortcuts. It opens the font database when it is
// created and keeps it open until it is destroyed, and keeps the sample text
// in the registry.
//
// The window's data lives in the window and in the objects it owns: the
// matching engine holds CompareBitmap, RenderBitmap, GlyphBitmap,
// CalibratedSize, Monochrome and MatchCount; the font database CompFile,
// CompRec and the Rec... fields; the search run SearchRunning,
// FontFileCount, ScanCounter, fname and CharsetNames; the database builder
// RecordsWritten and FilesVisited.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/core/font_database.h"
#include "app/listed_fonts.h"
#include "app/sample.h"
#include "app/search_run.h"
#include "fw/controls/forms.h"
#include "fw/core/datetime.h"
#include "fw/graphics/picture.h"
#include "fw/stdctrls/listview.h"
#include "fw/stdctrls/stdctrls_common.h"

// The window's components, known here by name only; the pages' files
// include the headers of those they use.
namespace fw {
class TAction;
class TEdit;
class TGroupBox;
class TImage;
class TImageList;
class TLabel;
class TListBox;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPaintBox;
class TPanel;
class TPopupMenu;
class TProgressBar;
class TRadioButton;
class TSaveDialog;
class TShape;
class TSpeedButton;
class TSpinEdit;
class TStatusBar;
class TStringList;
class TTimer;
class TTrackBar;
class TWindowDC;
}  // namespace fw
namespace ck {
class TCkBalloonHint;
class TCkBrowseForFolderDialog;
class TCkImage;
class TCkPanel;
class TCkPopupMenu;
class TCkRollOut;
class TCkScrollingWindow;
class TCkThumbView;
class TCkTransparentButton;
class TCkTrayIcon;
class TCkWizard;
class TCkWizardInteriorPage;
class TCkXPBar;
class TCkXPButton;
class TCkXPCheckbox;
class TCkxSlider;
}  // namespace ck
namespace skin {
class TkGauge;
class TkScrollBar;
class TkSkinManager;
}  // namespace skin
namespace capture {
class TASGScreenCapture;
}  // namespace capture
namespace services {
class TCkAppIniFileStorage;
class TCkAppInstances;
class TCkAppStorage;
class TCkComputerInfoEx;
class TCkFormStorage;
}  // namespace services

namespace app {

class TAddedFontResource;
class TMatchingEngine;
class TResultList;

}  // namespace app

namespace app {

// Undo stacks of the two image views: pictures pushed and popped at the end.
using TImage1Array = std::vector<std::unique_ptr<fw::TPicture>>;
using TImagemodifiedArray = std::vector<std::unique_ptr<fw::TPicture>>;

// Registry key and value of the sample text, and its text when none is kept.
constexpr char16_t kSampleTextKey[] = u"\\Software\\Okrabel\\Vestaline6\\";
constexpr char16_t kSampleTextValue[] = u"Sampletext";
constexpr char16_t kDefaultSampleText[] = u"SAMPLE abcd";

// The sample text kept in the registry, "SAMPLE abcd" when it is missing,
// empty or unreadable.
fw::String ReadSampleText();
// Writes the sample text (the key is created when missing); failures are
// ignored.
void WriteSampleText(const fw::String& Text);

// The folder of the font database, with trailing backslash.
fw::String DatabaseFolder();
// The crash marker of a broken database build, in the executable's folder.
fw::String CrashMarkerFileName();

// Opens a web page with the shell's default program. Tests replace it.
using TOpenWebPageProc = void (*)(const fw::String& Url);
void SetOpenWebPageProc(TOpenWebPageProc Proc);  // nullptr: the shell
void OpenWebPage(const fw::String& Url);

// The web pages of the help menu and of the link at the bottom of the window.
constexpr char16_t kWhatTheFontUrl[] = u"https://www.myfonts.com/pages/whatthefont";
constexpr char16_t kIdentifontUrl[] = u"https://www.identifont.com/";
constexpr char16_t kSearchBySightUrl[] = u"https://www.identifont.com/sight.html";
constexpr char16_t kDemo1Url[] = u"https://www.okrabel.com/vestaline/demo-grab-character.html";
constexpr char16_t kDemo2Url[] = u"https://www.okrabel.com/vestaline/demo-color-range.html";
constexpr char16_t kHomeUrl[] = u"https://www.okrabel.com/vestaline/";

// Whether the process runs elevated. A token that can't be read counts as
// not elevated: the copy into the system's folder then warns before it fails.
bool IsProcessElevated();

// Page indexes of the wizard.
enum : int { kPageMain = 0, kPageImageLoad = 1, kPageRun = 2, kPageMultipreview = 3 };

class TImageForm : public fw::TForm, private TSearchView {
  FW_CLASS(TImageForm, fw::TForm)

 public:
  explicit TImageForm(fw::TComponent* AOwner);
  ~TImageForm() override;

  // ---- Components (null while the description holds none of that name)
  ck::TCkWizard* Wizard = nullptr;
  // Instructions and notices pointing at a control; also the window of
  // every control hint of the program.
  ck::TCkBalloonHint* Balloon = nullptr;
  // The icon in the notification area and its menu.
  ck::TCkTrayIcon* Tray = nullptr;
  ck::TCkPopupMenu* popupminimized = nullptr;
  // Keeps the program to one instance: a second start hands its command
  // line to this one and ends while this description loads.
  services::TCkAppInstances* instance = nullptr;
  // The system folders the program takes its own folders from.
  services::TCkComputerInfoEx* directories = nullptr;
  // The skin of every window of the program.
  skin::TkSkinManager* kSkinManager1 = nullptr;
  ck::TCkWizardInteriorPage* MainPanel = nullptr;
  ck::TCkWizardInteriorPage* ImageLoad = nullptr;
  ck::TCkWizardInteriorPage* Run = nullptr;
  ck::TCkWizardInteriorPage* Multipreview = nullptr;
  ck::TCkXPCheckbox* cbcheckshow = nullptr;
  fw::TLabel* Label8 = nullptr;
  fw::TShape* Shape1 = nullptr;
  fw::TShape* Shape2 = nullptr;
  fw::TImage* Image1 = nullptr;
  fw::TImage* ImageModified = nullptr;
  fw::TPanel* Panel3 = nullptr;
  fw::TRadioButton* cbsysytem = nullptr;
  fw::TRadioButton* cbdatabase = nullptr;
  fw::TRadioButton* cbfolders = nullptr;
  fw::TLabel* lbfonts = nullptr;
  fw::TSpinEdit* secodepoint = nullptr;
  fw::TSpinEdit* sespeed = nullptr;
  fw::TSpinEdit* sepercentage = nullptr;
  fw::TGroupBox* gbsamplechar = nullptr;
  fw::TImage* sampleimage = nullptr;
  fw::TImage* imgcompare = nullptr;
  fw::TListView* ListView = nullptr;
  fw::TLabel* lbcount = nullptr;
  fw::TLabel* lbviewall = nullptr;
  fw::TLabel* lbsavetofile = nullptr;
  fw::TLabel* label24 = nullptr;
  fw::TGroupBox* gbsampletext = nullptr;
  fw::TEdit* edsample = nullptr;
  fw::TPaintBox* PaintBox2 = nullptr;
  fw::TListBox* fontbox = nullptr;
  fw::TStatusBar* StatusBar1 = nullptr;
  fw::TMainMenu* MainMenu1 = nullptr;
  fw::TMenuItem* mnsubdirs = nullptr;
  fw::TTimer* PickTmr = nullptr;
  fw::TTimer* picktmr2 = nullptr;
  fw::TTimer* timerzoom = nullptr;
  fw::TTimer* Timerunoimage1 = nullptr;
  fw::TTimer* timerdatabaseerror = nullptr;
  fw::TOpenDialog* imagedlg = nullptr;
  fw::TSaveDialog* dlgsavemodified = nullptr;
  // Settings storage: the INI file in the application-data folder, and the
  // routing root that nothing uses.
  services::TCkAppIniFileStorage* AppInistorage = nullptr;
  services::TCkAppStorage* CkAppStorage1 = nullptr;
  services::TCkFormStorage* storage = nullptr;
  // Search page (run_page.cpp, result_list_view.cpp, font_preview.cpp, font_commands.cpp)
  ck::TCkXPButton* btnstartstop = nullptr;
  fw::TSpeedButton* chrbold = nullptr;
  fw::TSpeedButton* chritalic = nullptr;
  fw::TSpeedButton* cbsymbols = nullptr;
  // Character options (character_options.cpp): the typed character and
  // the code point follow each other; the symbol toggle gives way.
  fw::TEdit* editchar = nullptr;
  void editcharChange(fw::TObject* Sender);
  void secodepointChange(fw::TObject* Sender);
  void chrboldClick(fw::TObject* Sender);
  void ShowCodePointCharacter();
  fw::TSaveDialog* dlgsavetext = nullptr;
  fw::TSpeedButton* btnbold = nullptr;
  fw::TSpeedButton* btnitalic = nullptr;
  fw::TTrackBar* tracksample = nullptr;
  ck::TCkXPBar* xppreview = nullptr;
  fw::TAction* acviewfont = nullptr;
  fw::TAction* accopy = nullptr;
  ck::TCkBrowseForFolderDialog* dlgbrowsecopy = nullptr;
  // The folder of the "Folders" source, and the database filter's button.
  ck::TCkTransparentButton* btnBrowse = nullptr;
  ck::TCkBrowseForFolderDialog* dlgsearchfolder = nullptr;
  ck::TCkTransparentButton* btnfilter = nullptr;
  // Image page (image_page.cpp)
  ck::TCkXPBar* xpLoad = nullptr;
  skin::TkScrollBar* trresize = nullptr;
  skin::TkScrollBar* trrotate = nullptr;
  skin::TkScrollBar* trlight = nullptr;
  skin::TkScrollBar* tbhue = nullptr;
  skin::TkScrollBar* tbsaturation = nullptr;
  skin::TkScrollBar* tbvalue = nullptr;
  skin::TkScrollBar* tbbrightness = nullptr;
  skin::TkScrollBar* tbcontrast = nullptr;
  fw::TLabel* lbresize = nullptr;
  fw::TLabel* lbrot = nullptr;
  fw::TLabel* lbhue = nullptr;
  fw::TLabel* lbsaturation = nullptr;
  fw::TLabel* lbvalue = nullptr;
  fw::TLabel* lbbrightness = nullptr;
  fw::TLabel* lbcontrast = nullptr;
  fw::TLabel* lbbackground = nullptr;
  ck::TCkRollOut* roResize = nullptr;
  ck::TCkRollOut* roRotate = nullptr;
  ck::TCkRollOut* roZoom = nullptr;
  ck::TCkRollOut* roColorRange = nullptr;
  ck::TCkRollOut* roHSV = nullptr;
  ck::TCkRollOut* roBrightness = nullptr;
  ck::TCkRollOut* roEffects = nullptr;
  ck::TCkTransparentButton* btnminus = nullptr;
  ck::TCkTransparentButton* btnplus = nullptr;
  ck::TCkImage* CkImage2 = nullptr;
  fw::TOpenDialog* sampleimagedlg = nullptr;
  fw::TSaveDialog* dlgSavedefault = nullptr;
  capture::TASGScreenCapture* Capture = nullptr;
  capture::TASGScreenCapture* crop = nullptr;
  fw::TAction* acminus = nullptr;
  fw::TAction* acplus = nullptr;
  fw::TAction* acUndoModified = nullptr;
  fw::TAction* acCapture = nullptr;
  fw::TAction* acSavemdefault = nullptr;
  fw::TAction* acSaveModified = nullptr;
  // Glyph isolation and sample (glyph_isolation.cpp)
  ck::TCkThumbView* thumb = nullptr;
  fw::TLabel* lbthumbcount = nullptr;
  fw::TAction* acSaveCropped = nullptr;
  ck::TCkBrowseForFolderDialog* browsecropped = nullptr;
  // Multi-font page (multifont_page.cpp)
  ck::TCkxSlider* SliderFont = nullptr;
  fw::TLabel* lbFontSize = nullptr;
  ck::TCkScrollingWindow* ScrollPanel1 = nullptr;
  fw::TSpeedButton* col1 = nullptr;
  fw::TSpeedButton* col2 = nullptr;
  fw::TSpeedButton* col3 = nullptr;
  fw::TSpeedButton* col4 = nullptr;
  fw::TSpeedButton* col5 = nullptr;
  fw::TSpeedButton* col6 = nullptr;
  fw::TSpeedButton* col7 = nullptr;
  fw::TSpeedButton* col8 = nullptr;
  ck::TCkPanel* pan = nullptr;
  fw::TImage* immove = nullptr;
  fw::TSpeedButton* btnmove = nullptr;
  fw::TImage* imimages = nullptr;
  fw::TPaintBox* Magpnl2 = nullptr;
  fw::TPanel* Panel10 = nullptr;
  fw::TPopupMenu* popimages = nullptr;
  fw::TPopupMenu* Popcopy = nullptr;
  fw::TAction* acnames = nullptr;
  fw::TAction* acpane = nullptr;
  fw::TAction* accustom = nullptr;
  ck::TCkBrowseForFolderDialog* browsefonts = nullptr;
  // The kind icons of the list's entries, drawn at creation.
  fw::TImageList* ImageList2 = nullptr;
  // Magnifier, colour pickers and zoom (magnifier.cpp)
  ck::TCkPanel* pan1 = nullptr;
  fw::TImage* Image2 = nullptr;
  fw::TPaintBox* pb = nullptr;
  skin::TkScrollBar* sbzoom = nullptr;
  fw::TLabel* lbzoom = nullptr;
  fw::TPaintBox* MagPnl = nullptr;
  fw::TTrackBar* TrackBar1 = nullptr;
  fw::TSpeedButton* PercentItem = nullptr;

  // ---- Fields, in the window's order
  int NameSortOrder = -1;
  int SizeSortOrder = -1;
  fw::String fsamplename;
  // The progress gauge in the status bar, made at creation.
  skin::TkGauge* Gauge1 = nullptr;
  fw::TBitmap* MemPix = nullptr;
  std::unique_ptr<fw::TWindowDC> ScreenDC;  // the screen's, for the colour pickers and the magnifier
  fw::TDateTime FStartTime = 0;
  uint8_t FWhiteback = 255;

  // ---- Data of the pages, made at creation and freed at destruction
  // The last text sort of the result list.
  int SortColumn = 0;
  bool SortAscending = false;
  // The font file (with its outline-file suffix) added for the sample-text
  // preview, at most one entry.
  fw::TStringList* PreviewFontFiles = nullptr;
  // The colour set of the flood fill.
  fw::TStringList* FloodColors = nullptr;
  // Text and background colours of the previews, and the sample text as drawn.
  fw::TColor PreviewFontColor = 0x000000;
  fw::TColor PreviewBackColor = 0xFFFFFF;
  fw::String PreviewTextW;
  // 24-bit work bitmaps: the sample's working copy (70 x 70), the image as
  // loaded and its work copies.
  fw::TBitmap* SampleCopy = nullptr;
  fw::TBitmap* LoadedImage = nullptr;
  fw::TBitmap* RotatedImage = nullptr;
  fw::TBitmap* ResizedImage = nullptr;
  fw::TBitmap* ModifiedBase = nullptr;
  // Undo stacks of the default and the modified image.
  TImage1Array DefaultUndoStack;
  TImagemodifiedArray ModifiedUndoStack;

  // ---- Objects the window owns
  TMatchingEngine& Engine() { return *engine_; }
  TFontDatabase& Database() { return *database_; }
  TResultList& Results() { return *results_; }
  TSearchRun& Search() { return *search_; }
  // Whether "CBase.DAT" is open (it is unless opening it failed).
  bool DatabaseOpen() const { return database_->CompFile.IsOpen(); }

  // ---- Event handlers (bound by name from the form description)
  void FormCreate(fw::TObject* Sender);
  void FormShow(fw::TObject* Sender);
  // The tray menu and the icon (tray_menu.cpp).
  void Exit1Click(fw::TObject* Sender);
  void acAboutExecute(fw::TObject* Sender);
  void acAboutUpdate(fw::TObject* Sender);
  void acRestoreExecute(fw::TObject* Sender);
  void acRestoreUpdate(fw::TObject* Sender);
  void TrayDblClick(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // Switches the tray icon on as the settings ask ("Minimize to systray").
  void ApplyTraySetting();
  // The about box (help menu, tray menu, program-information icon) and the
  // settings dialog (menu_commands.cpp).
  void Settings1Click(fw::TObject* Sender);
  void About1Click(fw::TObject* Sender);
  void ShowAboutBox();
  void FormCloseQuery(fw::TObject* Sender, bool& CanClose);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void FormDestroy(fw::TObject* Sender);
  void FormPaint(fw::TObject* Sender);
  void FormKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);

  void ImageLoadNextButtonClick(fw::TObject* Sender, bool& Stop);
  void RunBackButtonClick(fw::TObject* Sender, bool& Stop);
  void RunNextButtonClick(fw::TObject* Sender, bool& Stop);
  void RunPaintPage(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect& ARect);
  void WizardFinishButtonClick(fw::TObject* Sender);
  void WizardCancelButtonClick(fw::TObject* Sender);

  void PickTmrTimer(fw::TObject* Sender);
  void picktmr2Timer(fw::TObject* Sender);
  void timerzoomTimer(fw::TObject* Sender);
  void Timerunoimage1Timer(fw::TObject* Sender);
  void timerdatabaseerrorTimer(fw::TObject* Sender);

  void secodepointKeyPress(fw::TObject* Sender, char16_t& Key);
  void Label8Click(fw::TObject* Sender);
  void Label8MouseEnter(fw::TObject* Sender);
  void Label8MouseLeave(fw::TObject* Sender);
  void label24MouseEnter(fw::TObject* Sender);
  void label24MouseLeave(fw::TObject* Sender);

  // Help menu
  void WhatTheFont1Click(fw::TObject* Sender);
  void Identifont1Click(fw::TObject* Sender);
  void Searchbysight1Click(fw::TObject* Sender);
  void Demo1Grabcharacterfromimage1Click(fw::TObject* Sender);
  void Demo2Adjustcolorrange1Click(fw::TObject* Sender);
  void Close1Click(fw::TObject* Sender);

  // The multi-font page's lists: the fonts folder, or the result list.
  void Windowsfonts1Click(fw::TObject* Sender);
  void lbviewallClick(fw::TObject* Sender);

  // The search's start and stop (F3), F9's crop of the modified image, and
  // the result list's keys.
  void btnstartstopClick(fw::TObject* Sender);
  void AddModifiedToCropped();
  void ListViewKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);

  // Search page (run_page.cpp, result_list_view.cpp)
  void cbsysytemClick(fw::TObject* Sender);
  void Updateinfo();
  // "Folders": asks for the folder to search; the database filter dialog;
  // the database builder of the "Database" menu.
  void btnBrowseClick(fw::TObject* Sender);
  void btnfilterClick(fw::TObject* Sender);
  void Refreshdatabase1Click(fw::TObject* Sender);
  TSearchSource ChosenSource() const;
  // The search's source and the engine's options from the page's controls.
  void ReadSearchOptions();
  void ListViewColumnClick(fw::TObject* Sender, fw::TListColumn* Column);
  void ListViewCustomDrawSubItem(fw::TCustomListView* Sender, fw::TListItem* Item, int SubItem,
                                 fw::TCustomDrawState State, bool& DefaultDraw);
  void sepercentageChange(fw::TObject* Sender);
  // The speed levels' balloons while the search page shows.
  void sespeedChange(fw::TObject* Sender);
  void lbsavetofileClick(fw::TObject* Sender);
  // The text sort of the list's columns (SortColumn, SortAscending).
  void ListViewCompare(fw::TObject* Sender, fw::TListItem* Item1, fw::TListItem* Item2, int Data, int& Compare);
  // The sample-text preview of the selected entry (font_preview.cpp).
  void ListViewClick(fw::TObject* Sender);
  void ListViewChange(fw::TObject* Sender, fw::TListItem* Item, fw::TItemChange Change);
  void ListViewDblClick(fw::TObject* Sender);
  void PaintBox2Paint(fw::TObject* Sender);
  void edsampleChange(fw::TObject* Sender);
  void tracksampleChange(fw::TObject* Sender);
  void btnboldClick(fw::TObject* Sender);
  void btnitalicClick(fw::TObject* Sender);
  void imgcompareMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  // The font file the preview holds (null when none); at most one at a time.
  const TAddedFontResource* PreviewFont() const { return previewFont_.get(); }
  void ReleasePreviewFont();
  // Viewing and copying font files (font_commands.cpp).
  void acviewfontExecute(fw::TObject* Sender);
  void acviewfontUpdate(fw::TObject* Sender);
  void CkXPBar1Items1Click(fw::TObject* Sender);
  void CkXPBar1Items0Click(fw::TObject* Sender);
  void accopyExecute(fw::TObject* Sender);
  void accopyUpdate(fw::TObject* Sender);
  // The multi-font list's "Select all".
  void Selectall1Click(fw::TObject* Sender);

  // Image page (image_page.cpp): loading, editing, undo and saving.
  void xpLoadItems0Click(fw::TObject* Sender);
  void Sampleimages1Click(fw::TObject* Sender);
  void xpLoadItems1Click(fw::TObject* Sender);
  void imagedlgShow(fw::TObject* Sender);
  void acCaptureExecute(fw::TObject* Sender);
  void acCaptureUpdate(fw::TObject* Sender);
  void btncropdefaultClick(fw::TObject* Sender);
  void trresizeChange(fw::TObject* Sender);
  void trrotateChange(fw::TObject* Sender);
  void btn100Click(fw::TObject* Sender);
  void btn0Click(fw::TObject* Sender);
  void btnRestoreImage1Click(fw::TObject* Sender);
  void btnapplyClick(fw::TObject* Sender);
  void tbhueChange(fw::TObject* Sender);
  void btngrayClick(fw::TObject* Sender);
  void btninvertClick(fw::TObject* Sender);
  void btntoblackClick(fw::TObject* Sender);
  void CkTransparentButton3Click(fw::TObject* Sender);
  void CkTransparentButton4Click(fw::TObject* Sender);
  void CkTransparentButton5Click(fw::TObject* Sender);
  void acminusExecute(fw::TObject* Sender);
  void acplusExecute(fw::TObject* Sender);
  void acminusUpdate(fw::TObject* Sender);
  void acplusUpdate(fw::TObject* Sender);
  void btnminusMouseEnter(fw::TObject* Sender);
  void btnplusMouseEnter(fw::TObject* Sender);
  void btnminusMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void btnplusMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void acUndoModifiedExecute(fw::TObject* Sender);
  void acUndoModifiedUpdate(fw::TObject* Sender);
  void acSavemdefaultExecute(fw::TObject* Sender);
  void acSavemdefaultUpdate(fw::TObject* Sender);
  void acSaveModifiedExecute(fw::TObject* Sender);
  void acSaveModifiedUpdate(fw::TObject* Sender);
  void roBrightnessExpand(fw::TObject* Sender);
  void CkImage2Click(fw::TObject* Sender);
  // Loads ImageFileName into every view and work bitmap; raises when the
  // file cannot be read, before anything changes.
  void UpdateImages();
  // Clears the views and work bitmaps before a capture.
  void UpdateCroppedImages();
  // Sliders back to their start values (their handlers run).
  void UpdateControls();
  void ApplyResize(fw::TImage* Image);
  void ApplyRotation(fw::TImage* Image, int Angle);
  void ApplyColorAdjustments(fw::TBitmap* Base, fw::TImage* Image, int Hue, int Saturation, int Value);
  // Keeps the pixels of Base darker than FWhiteback, the others white.
  void ClearBackground(fw::TBitmap* Base, fw::TBitmap* Destination);
  void DisplayAspectBitmap(fw::TBitmap* Bitmap, fw::TImage* Image);
  // Deletes and recreates the crop folder and points the thumbnail view at
  // it (emptied first).
  void ResetCropFolder();
  // The instructions that come with a sample image.
  void ShowSampleHint(const fw::String& Header, const fw::String& Text);
  void PushModifiedUndo();
  void PopModifiedUndo();
  void PushDefaultUndo();
  void PopDefaultUndo();
  void WndProc(fw::TMessage& Message) override;

  // Glyph isolation and sample (glyph_isolation.cpp): the grab, the
  // character cropper and its crop list, and the sample built on Next.
  void Image1MouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void ImageModifiedMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void Image1MouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void ImageModifiedMouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void trlightChange(fw::TObject* Sender);
  // Fills the region of Bitmap around Pos within the clicked gray's range
  // with FillColor; the region, cropped to its glyph, becomes the modified
  // image (black on white) and the base of further edits.
  void FTFloodFill(fw::TBitmap* Bitmap, const fw::TPoint& Pos, fw::TColor FillColor);
  // One bitmap file per run of ink columns of the image into the crop
  // folder; the crop list is reloaded with the last file selected.
  void CropCharactersToFiles(fw::TImage* Image, const fw::String& Prefix);
  void btnCropcharsClick(fw::TObject* Sender);
  void btnaddmodifiedClick(fw::TObject* Sender);
  void btndeletecharClick(fw::TObject* Sender);
  void btndeleteallClick(fw::TObject* Sender);
  void acSaveCrpped(fw::TObject* Sender);
  void acSaveCroppedUpdate(fw::TObject* Sender);
  void thumbDblClick(fw::TObject* Sender);
  // The crop list's title placement from the settings, and its count.
  void SetThumbTitlePlacement();
  void ShowThumbCount();

  // Multi-font page (multifont_page.cpp)
  void mnbrowseClick(fw::TObject* Sender);
  void col1Click(fw::TObject* Sender);
  void SliderFontChange(fw::TObject* Sender);
  void SliderFontChanged(fw::TObject* Sender);
  void fontboxMeasureItem(fw::TWinControl* Control, int Index, int& Height);
  void fontboxDrawItem(fw::TWinControl* Control, int Index, const fw::TRect& Rect, fw::TOwnerDrawState State);
  void fontboxClick(fw::TObject* Sender);
  void fontboxKeyDown(fw::TObject* Sender, WORD& Key, fw::TShiftState Shift);
  void fontboxMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void fontboxMouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void immoveMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void imimagesMouseDown(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void Loadfromfile1Click(fw::TObject* Sender);
  void CroppedCharacter1Click(fw::TObject* Sender);
  void CroppedLoadedImage1Click(fw::TObject* Sender);
  void Panel10Click(fw::TObject* Sender);
  void acnamesExecute(fw::TObject* Sender);
  void acnamesUpdate(fw::TObject* Sender);
  void acpaneExecute(fw::TObject* Sender);
  void acpaneUpdate(fw::TObject* Sender);
  void accustomExecute(fw::TObject* Sender);
  void accustomUpdate(fw::TObject* Sender);
  void lbviewallMouseEnter(fw::TObject* Sender);
  void lbviewallMouseLeave(fw::TObject* Sender);
  // The font files the list has in the font table (this process only).
  TListedFonts& ListedFonts() { return *listedFonts_; }
  // Magnifier, colour pickers and zoom (magnifier.cpp)
  void Image1MouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void Shape1MouseMove(fw::TObject* Sender, fw::TShiftState Shift, int X, int Y);
  void Shape1MouseUp(fw::TObject* Sender, fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y);
  void pbPaint(fw::TObject* Sender);
  void sbzoomChange(fw::TObject* Sender);
  void MagPnlPaint(fw::TObject* Sender);
  void MagPNl2Paint(fw::TObject* Sender);
  void TrackBar1Change(fw::TObject* Sender);
  void PercentItemClick(fw::TObject* Sender);
  // Shows the magnifier at the cursor (right button on an image view).
  void ShowMagnifier();
  void HideMagnifier();
  // Reads the screen pixel under the cursor into MemPix; its colour.
  fw::TColor PickScreenColor();

  // Texts of the status bar's panels: 0 the image, 1 the last search's time
  // or the progress of long operations, 2 the application's hint.
  void SetStatusText(int Panel, const fw::String& Text);
  fw::String StatusText(int Panel) const;

 private:
  // What the window shows of a search (run_page.cpp).
  void SearchStarted(TSearchSource Source) override;
  void SourceDefaulted() override;
  void SetProgressMax(int Max) override;
  void SetProgress(int Position) override;
  void ShowInformation(const fw::String& Text) override;
  void ShowFilterActive() override;
  void SearchFinished(const TSearchSummary& Summary) override;

  // The steps of FormCreate.
  void MakeDrawingBitmaps();
  void ReadWindowsVersion();
  void MakeSampleBitmaps();
  void MakeWorkBitmaps();
  void PointDialogsAtFolders();
  void SetUpCodePointEdit();
  void ResetPreviewAndSearch();
  void CreateGauge();
  void FollowApplicationHints();
  void ApplicationHint(fw::TObject* Sender);
  // Shows the multi-font page with the Folders source chosen and the given
  // fonts listed; Caption names what was counted.
  void ShowFontList(const std::vector<fw::String>& Fonts, const fw::String& Caption);
  void OpenFontDatabase();
  void CloseFontDatabase();
  void SetLinkLook(fw::TLabel* Label, fw::TColor Color, bool Underline);

  std::unique_ptr<TMatchingEngine> engine_;
  TSample sample_;  // built on Next, compared with by the engine
  std::unique_ptr<TFontDatabase> database_;
  std::unique_ptr<TResultList> results_;
  std::unique_ptr<TEngineScorer> scorer_;
  std::unique_ptr<TSearchRun> search_;
  fw::TNotifyEvent previousOnHint_;
  // The preview's font file.
  std::unique_ptr<TAddedFontResource> previewFont_;
  // Multi-font page: the fonts its list put in the font table.
  std::unique_ptr<TListedFonts> listedFonts_;
  // Fills the multi-font list from a folder ("Windows fonts", "Browse folders").
  void FillFontListFromFolder(const fw::String& Folder, bool WithSubfolders);
  // Set while the code point writes its character into editchar.
  bool followingCodePoint_ = false;
};

// The main window, while it exists.
extern TImageForm* ImageForm;

// The Windows version, read when the main window is created and shared with
// the dialogs; a platform id of 1 (Windows 9x) names font files through a
// font resource file.
extern OSVERSIONINFOW OsVersionInfo;
extern int OsPlatformId;

}  // namespace app
