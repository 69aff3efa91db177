// Swapping a component or image-list reference keeps the free
// notifications and the change link with the referenced object.
#include <gtest/gtest.h>

#include "services/ckutils.h"

using namespace fw;
using services::SwapComponentReference;
using services::SwapImageListReference;

namespace {

class TWatcher : public TComponent {
 public:
  explicit TWatcher(TComponent* owner) : TComponent(owner) {}
  TComponent* ref = nullptr;
  TCustomImageList* images = nullptr;
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == ref) ref = nullptr;
    if (op == opRemove && c == images) images = nullptr;
  }
};

TEST(SwapComponentReference, MovesTheFreeNotificationToTheNewComponent) {
  TWatcher w(nullptr);
  auto* a = new TComponent(nullptr);
  auto* b = new TComponent(nullptr);
  EXPECT_TRUE(SwapComponentReference(&w, a, w.ref));
  EXPECT_FALSE(SwapComponentReference(&w, a, w.ref));  // the same: nothing
  EXPECT_FALSE(SwapComponentReference(nullptr, b, w.ref));
  EXPECT_TRUE(SwapComponentReference(&w, b, w.ref));
  EXPECT_EQ(w.ref, b);
  delete a;  // no longer watched: the reference stays
  EXPECT_EQ(w.ref, b);
  delete b;
  EXPECT_EQ(w.ref, nullptr);
}

struct ChangeCount {
  int count = 0;
  void Changed(TObject*) { ++count; }
};

TEST(SwapImageListReference, MovesTheChangeLinkAndTheFreeNotification) {
  TWatcher w(nullptr);
  TChangeLink link;
  ChangeCount c;
  link.OnChange = TNotifyEvent(&c, &ChangeCount::Changed);
  auto* a = new TImageList(nullptr);
  auto* b = new TImageList(nullptr);
  EXPECT_TRUE(SwapImageListReference(&w, a, w.images, &link));
  a->SetWidth(20);
  EXPECT_EQ(c.count, 1);
  EXPECT_TRUE(SwapImageListReference(&w, b, w.images, &link));
  a->SetWidth(24);
  EXPECT_EQ(c.count, 1);
  b->SetWidth(24);
  EXPECT_EQ(c.count, 2);
  delete b;
  EXPECT_EQ(w.images, nullptr);
  delete a;
}

}  // namespace
