// skControllerTree: a controller tree that owns its nodes. Composites own
// nothing they wrap, and a character owns only its root; a tree made here
// holds every node it made and decides through its root, so handing the tree
// to a character (or to an arena) makes the nodes live exactly as long as the
// character does:
//
//   auto tree = std::make_unique<skControllerTree>(p);
//   skController* pursue = tree->make<skControllerPursue>(p);
//   skController* evade = tree->make<skControllerEvade>(p);
//   tree->setRoot(tree->make<skControllerConditional>(p, &skPerception::myselfTagged,
//                                                     pursue, evade));
//   character->setController(tree.release());
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "skController.h"

namespace skivo {

class skControllerTree : public skController {
 public:
  // perception: the one every node looks through (not owned); the world
  // binds it to the character before the tree decides.
  explicit skControllerTree(skPerception* perception) : skController(perception) {}

  // Makes a node of type T from args, owned by the tree; returns it for
  // wiring into other nodes (the pointer stays valid as long as the tree).
  template <class T, class... Args>
  T* make(Args&&... args) {
    T* node = new T(std::forward<Args>(args)...);
    nodes.emplace_back(node);
    return node;
  }
  // The node that decides; it must be one of the tree's own (checked, fatal).
  void setRoot(skController* node);
  // The nodes, in the order they were made.
  const std::vector<std::unique_ptr<skController>>& getNodes() const { return nodes; }

  // The root decides; its decision becomes the tree's. Precondition: a root
  // is set (checked, fatal).
  void calcAction() override;

 private:
  std::vector<std::unique_ptr<skController>> nodes;
  skController* root = nullptr;
};

}  // namespace skivo
