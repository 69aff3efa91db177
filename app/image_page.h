// The image page's seams: how its file dialogs and screen captures run (tests
// replace them), the capture mode, the samples folder and the sample images'
// instructions.
#pragma once

#include <memory>

#include "capture/asg_capture.h"
#include "fw/core/rtti.h"
#include "fw/dialogs/dialogs.h"
#include "fw/graphics/graphics.h"

namespace app {

class TImageForm;
// The image page's components and handlers, by their names in the form
// description.
void DescribeImagePage(fw::TClassBuilder<TImageForm>& c);

// Runs an open or save dialog of the page; true when a file was chosen.
using TRunFileDialogProc = bool (*)(fw::TOpenDialog* Dialog);
void SetRunFileDialogProc(TRunFileDialogProc Proc);  // nullptr: the dialog itself
bool RunFileDialog(fw::TOpenDialog* Dialog);

// Capture modes of the settings: a rectangle or a free-hand outline.
enum : int { kCaptureRectangle = 0, kCaptureFreeHand = 1 };
// The capture mode chosen in the settings (a rectangle until the settings
// dialog keeps one).
int CaptureMode();

// Runs a capture of the component in the mode; null when the user cancelled.
using TRunCaptureProc = std::unique_ptr<fw::TBitmap> (*)(capture::TASGScreenCapture* Component, int Mode);
void SetRunCaptureProc(TRunCaptureProc Proc);  // nullptr: the component itself
std::unique_ptr<fw::TBitmap> RunCapture(capture::TASGScreenCapture* Component, int Mode);

// The folder of the sample images, without trailing backslash.
fw::String SamplesFolder();

// The instructions of a sample image: false when the path is not one of the
// four sample images in the samples folder.
bool SampleImageInstructions(const fw::String& Path, fw::String& Header, fw::String& Text);

}  // namespace app
