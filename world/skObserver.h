// skObserver: what the world tells the perception a controller looks
// through: which character is about to decide, and who has just become "it".
// The perception (ai/skPerception.h) is one; the world knows it only as this.
#pragma once

namespace skivo {

class skCharacter;

class skObserver {
 public:
  virtual ~skObserver() = default;
  // c is about to decide (not null).
  virtual void setMe(skCharacter* c) = 0;
  // c (not null) has just become "it".
  virtual void setTagged(skCharacter* c) = 0;
};

}  // namespace skivo
