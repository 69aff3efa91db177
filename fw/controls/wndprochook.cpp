#include "fw/controls/wndprochook.h"

#include <algorithm>

namespace fw {

void TWndProcNode::Proc(TMessage& Message) {
  if (Handler) Handler(Message);
  else Previous(Message);
}

TWindowProcHook::TWindowProcHook(TControl* Control, const TWndMethod& Handler) : FNode(new TWndProcNode) {
  FNode->Control = Control;
  FNode->Handler = Handler;
  FNode->Previous = Control->WindowProc();
  Control->FWndProcNodes.push_back(FNode);
  Control->SetWindowProc(TWndMethod(FNode, &TWndProcNode::Proc));
}

TWindowProcHook::~TWindowProcHook() { Remove(); }

TControl* TWindowProcHook::Control() const { return FNode ? FNode->Control : nullptr; }

void TWindowProcHook::CallPrevious(TMessage& Message) {
  if (FNode && FNode->Control) FNode->Previous(Message);
}

void TWindowProcHook::Remove() {
  TWndProcNode* node = FNode;
  FNode = nullptr;
  if (!node) return;
  TControl* c = node->Control;
  if (!c) {
    delete node;
    return;
  }
  auto& nodes = c->FWndProcNodes;
  if (c->WindowProc() != TWndMethod(node, &TWndProcNode::Proc)) {
    // Someone chained over us: stay as a pass-through.
    node->Handler = TWndMethod();
    node->Retired = true;
    return;
  }
  c->SetWindowProc(node->Previous);
  nodes.erase(std::find(nodes.begin(), nodes.end(), node));
  delete node;
  // Pass-throughs that are now on top are not needed any more.
  for (bool again = true; again;) {
    again = false;
    for (auto it = nodes.begin(); it != nodes.end(); ++it) {
      TWndProcNode* n = *it;
      if (n->Retired && c->WindowProc() == TWndMethod(n, &TWndProcNode::Proc)) {
        c->SetWindowProc(n->Previous);
        nodes.erase(it);
        delete n;
        again = true;
        break;
      }
    }
  }
}

}  // namespace fw
