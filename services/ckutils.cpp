#include "services/ckutils.h"

namespace services {

using namespace fw;

bool SwapComponentReference(TComponent* Owner, TComponent* New, TComponent*& Field) {
  if (New == Field || !Owner) return false;
  if (Field) Field->RemoveFreeNotification(Owner);
  Field = New;
  if (New) New->FreeNotification(Owner);
  return true;
}

bool SwapImageListReference(TComponent* Owner, TCustomImageList* New, TCustomImageList*& Field,
                            TChangeLink* ChangeLink) {
  if (New == Field || !Owner) return false;
  if (Field) {
    if (ChangeLink) Field->UnRegisterChanges(ChangeLink);
    Field->RemoveFreeNotification(Owner);
  }
  Field = New;
  if (New) {
    if (ChangeLink) New->RegisterChanges(ChangeLink);
    New->FreeNotification(Owner);
  }
  return true;
}

}  // namespace services
