// skTargetChoice: whom a planning skill is about, chosen anew at each of its
// plans through the perception (who I am, who is "it") and the planner (who
// meets whom soonest, by the fastest way round the circles and across the
// edges):
//   tagged()        the one who is "it";
//   soonest()       the other character I meet soonest (skPlanner::meetMs);
//   quarry()        the character other than me whom the one who is "it"
//                   meets soonest: whom "it" is after (when I am "it", whom
//                   I meet soonest);
//   character(k)    character k of the game state (0: the game's player).
// soonest() and quarry() keep the one chosen before unless another is met in
// less than 0.8 of its time, so that a skill does not dither between two. I
// am never chosen, nor are the characters spared (sparing: my teammates).
// A plain value; it holds no pointers.
#pragma once

namespace skivo {

class skCharacter;
class skPerception;
class skPlanner;

class skTargetChoice {
 public:
  enum class Kind { tagged, soonest, quarry, character };

  static skTargetChoice tagged() { return skTargetChoice(Kind::tagged, -1); }
  static skTargetChoice soonest() { return skTargetChoice(Kind::soonest, -1); }
  static skTargetChoice quarry() { return skTargetChoice(Kind::quarry, -1); }
  // index: a character's place in the game state (0 or more).
  static skTargetChoice character(int index) { return skTargetChoice(Kind::character, index); }

  // The same choice, never choosing the characters whose bit is set in team
  // (bit k: character k, for k below 32), e.g. my teammates and me.
  skTargetChoice sparing(unsigned int team) const;
  // Bit k: character k.
  static unsigned int bit(int index) { return index >= 0 && index < 32 ? 1u << index : 0u; }

  Kind getKind() const { return kind; }
  int getIndex() const { return index; }
  unsigned int getSpared() const { return spared; }

  // The chosen character (not owned), or null when none fits: nobody is "it"
  // (tagged, quarry), the one who is "it" is me or spared (tagged), nobody is
  // left to choose, or character k does not exist. last: the one chosen
  // before, or null. Preconditions: the perception is bound to me (setMe) and
  // the planner plans on it. Allocates only when the planner builds a table.
  const skCharacter* pick(skPerception& perception, skPlanner& planner,
                          const skCharacter* last) const;

 private:
  skTargetChoice(Kind k, int i) : kind(k), index(i) {}

  Kind kind;
  int index;
  unsigned int spared = 0;
};

}  // namespace skivo
