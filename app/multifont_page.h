// The multi-font page's seams: how "Browse folders" asks for a folder and how
// "Custom text" asks for the sample text (tests replace them), and the
// pictures of the entries' kind icons.
#pragma once

#include "fw/core/rtti.h"
#include "fw/graphics/imagelist.h"

namespace app {

class TImageForm;
// The page's components and handlers, by their names in the form description.
void DescribeMultiFontPage(fw::TClassBuilder<TImageForm>& c);

// Asks for the folder of fonts; false when the user cancelled.
using TBrowseFontFolderProc = bool (*)(TImageForm* Form, const fw::String& Title, fw::String& Folder);
void SetBrowseFontFolderProc(TBrowseFontFolderProc Proc);  // nullptr: the window's browsefonts

// Shows the custom-text dialog modally. Nothing is shown while no dialog is
// set: the program has no such dialog yet.
using TShowCustomTextProc = void (*)(TImageForm* Form);
void SetShowCustomTextProc(TShowCustomTextProc Proc);

// Fills the list with the nine kind icons (16 x 14): font type codes 0 .. 5,
// a file that added no font (6), a collection (7), a file without a family (8).
void AddFontKindIcons(fw::TImageList* List);

// Made at the window's creation: the kind icons (ImageList2) and the
// floating panel's import picture.
void PrepareMultiFontPage(TImageForm* Form);

}  // namespace app
