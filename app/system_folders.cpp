#include "app/system_folders.h"

#include "app/image_form.h"

namespace app {

services::TCkSystemFolders* ProgramSystemFolders() {
  if (ImageForm && ImageForm->directories) return ImageForm->directories->Folders();
  static services::TCkSystemFolders standIn;
  return &standIn;
}

}  // namespace app
