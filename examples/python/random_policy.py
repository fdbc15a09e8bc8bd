#!/usr/bin/env python3
"""A player that presses random arrows, against the game's adaptive
opponents: the parallel interface end to end, and the share of time the
player was "it" (what skivo-panel reports).

    PYTHONPATH=build/test/python python3 examples/python/random_policy.py --minutes 2
"""

import argparse

import skivo


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--minutes", type=float, default=2.0, help="game minutes to play")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--opponents", default="adaptive", help="as skivo-arena --opponents")
    args = parser.parse_args()

    env = skivo.parallel_env(agents=(0,), opponents=args.opponents, minutes=args.minutes)
    observations, _ = env.reset(seed=args.seed)
    space = env.action_space("character_0")
    space.seed(args.seed)
    total = 0.0
    while env.agents:
        observations, rewards, _, _, _ = env.step({"character_0": space.sample()})
        total += rewards["character_0"]
    stats = env.stats()
    share = 100 * stats["it_ms"][0] / stats["game_ms"]
    print(f"random player against {args.opponents}: \"it\" {share:.1f} % of "
          f"{stats['game_ms'] / 60000:g} game minutes, {stats['tags_made'][0]} tags made, "
          f"reward {total:.1f}")


if __name__ == "__main__":
    main()
