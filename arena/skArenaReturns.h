// skArenaReturns: the tags of a match that hand the tag straight back: to the
// character who passed it to the one now "it", within windowMs of game time
// of that pass. A person finds such a ping-pong silly however the rules allow
// it (they only forbid a pass within 300 ms of the last), so the arena counts
// them beside the tags.
#pragma once

namespace skivo {

class skArenaReturns {
 public:
  // Game milliseconds within which a tag handed back counts as returned.
  static constexpr long long windowMs = 2000;

  // A tag at game time nowMs (milliseconds, never earlier than the last
  // one's) from character from, who was "it", to character to. True when it
  // returns the last tag: that one went from to to from, at most windowMs
  // before.
  bool pass(int from, int to, long long nowMs);

  // The tags told so far, and how many of them were returned.
  long long getTags() const { return tags; }
  long long getReturned() const { return returned; }

 private:
  int lastFrom = -1, lastTo = -1;
  long long lastMs = 0;
  long long tags = 0, returned = 0;
};

}  // namespace skivo
