// The built-in scenario: the three characters with their controllers, the
// circular obstacles and the four walls of the game, placed in code. It only
// places bodies and minds; the game dresses them (renderers, the keyboard),
// the arena gives character 0 its scripted player. Positions derive from the
// world size W x H (world units) and from the world's random generator, which
// the games never seed, so every run of a game builds the same layout.
#pragma once

#include <string>

#include "skLearningSettings.h"
#include "skRules.h"

namespace skivo {

class skController;
class skGameState;
class skPerception;

const int characterCount = 3;
// Circles of the scattered (classic) layout.
const int circularObstacleCount = 50;
const int sideCount = 4;

// Adds the characters at object indices 0, 1, 2 (call on an empty game
// state): 0 is driven by player, which its character owns from then on; 1 and
// 2 by learning controllers on perception, which all three share (not owned;
// it must outlive the characters), learning as settings say. All have mass 1
// and radius 10 and start at uniform random places (two draws each, x first).
void setupCharacters(skGameState& gs, skPerception* perception, skController* player,
                     const skLearningSettings& settings = skLearningSettings());

// Adds the circular obstacles (immovable, radius 10), then the four walls
// (setupWalls). Arc layout: the circles lie on an elliptic arc of centre
// (W/2, 3W/8) and half-axes W/3, W/4, one random step of 0 to 9 degrees
// apart. Scattered layout: 50 circles over [0, W/2] x [0, W/1.2], x drawn
// before y.
void setupObstacles(skGameState& gs, const skRules& rules);
// Adds the four walls, in the order x = 0, x = W, y = 0, y = H.
void setupWalls(skGameState& gs);

// A fair start: moves every character that overlaps a fixed obstacle or
// another character (or comes within margin world units of one) to the
// nearest place that is free, searching rings of growing radius around it;
// characters are placed in index order, each clear of those before it.
// Draws no random numbers. A character with no free place within half the
// arena stays where it is.
void placeFairly(skGameState& gs, skReal margin = 2.0);

// The shipped table of trained opponent k (1 or 2) for rules: installed
// beside the program (games/ or bin/ next to share/), where the build
// installs it, or in the source tree of a program run from its build
// folder; empty when none of them is there. skills: the skill learner's
// table (skSkillOpponent) that easy and adaptive opponents start from,
// instead of the view learner's.
std::string trainedTableFile(const skRules& rules, int k, bool skills = false);

}  // namespace skivo
