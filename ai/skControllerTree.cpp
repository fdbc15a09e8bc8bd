#include "skControllerTree.h"

#include "skUtil.h"

namespace skivo {

void skControllerTree::setRoot(skController* node) {
  for (const auto& n : nodes) {
    if (n.get() == node) {
      root = node;
      return;
    }
  }
  skUtil::error("skControllerTree::setRoot: the root must be a node the tree made (make<T>)");
}

void skControllerTree::calcAction() {
  if (!root) skUtil::error("skControllerTree: no root set (setRoot) before the first decision");
  root->calcAction();
  action = root->getAction();
}

}  // namespace skivo
