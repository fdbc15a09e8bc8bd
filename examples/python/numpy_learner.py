#!/usr/bin/env python3
"""Opponents that learn in numpy alone: one Q-table, shared by characters 1
and 2, over a handful of situations read from the observation, trained in a
batch of worlds against the panel's shortest-way chaser (character 0), then
judged as skivo-panel judges: the share of game time the chaser is "it" on
seeds it never trained on, with a 95 % interval, beside random opponents.

    PYTHONPATH=build/test/python python3 examples/python/numpy_learner.py
"""

import argparse
import time

import numpy as np

import skivo

MOVES = 9
# Situations: am I "it", the way to my target in 8 sectors, how far it is
# (3 bands), and whether an obstacle stands in the way I should run.
SECTORS, BANDS = 8, 3
STATES = 2 * SECTORS * BANDS * 2
# Student's t for a two-sided 95 % interval, by degrees of freedom.
T95 = {1: 12.706, 2: 4.303, 3: 3.182, 4: 2.776, 5: 2.571, 6: 2.447, 7: 2.365, 8: 2.306,
       9: 2.262, 10: 2.228, 11: 2.201, 12: 2.179, 13: 2.160, 14: 2.145, 15: 2.131}
F = skivo.OBSERVATION_FIELDS


def situations(obs):
    """obs: (..., 22) observations -> (...) situation numbers."""
    it = obs[..., F["it"]]
    me_it = it[..., 0] > 0.5
    first, second = obs[..., 3:5], obs[..., 7:9]
    d1 = np.linalg.norm(first, axis=-1)
    d2 = np.linalg.norm(second, axis=-1)
    # Chasing: the nearer of the others; fleeing: the one who is "it".
    chase = np.where((d1 <= d2)[..., None], first, second)
    flee = np.where((it[..., 1] > 0.5)[..., None], first, second)
    way = np.where(me_it[..., None], chase, flee)
    angle = np.arctan2(way[..., 1], way[..., 0])
    sector = np.floor((angle + np.pi / SECTORS) / (2 * np.pi / SECTORS)).astype(int) % SECTORS
    dist = np.linalg.norm(way, axis=-1) * 256
    band = np.digitize(dist, [48, 128])
    # The ray towards the target when chasing, away from it when fleeing.
    ray = np.where(me_it, sector, (sector + SECTORS // 2) % SECTORS)
    clear = np.take_along_axis(obs[..., F["clearance"]], ray[..., None], axis=-1)[..., 0]
    blocked = clear < 0.25
    return ((me_it * SECTORS + sector) * BANDS + band) * 2 + blocked


def train(steps, n, seed, log):
    env = skivo.vector_env(n, agents=(1, 2), player="shortest", minutes=5, decision_ms=96)
    q = np.zeros((STATES, MOVES))
    rng = np.random.default_rng(seed)
    alpha, gamma = 0.1, 0.95
    obs, _ = env.reset(seed=seed)
    s = situations(obs)
    start = time.monotonic()
    for step in range(steps):
        epsilon = max(0.05, 0.5 * (1 - step / steps))
        greedy = q[s].argmax(axis=-1)
        explore = rng.random(s.shape) < epsilon
        a = np.where(explore, rng.integers(0, MOVES, s.shape), greedy)
        obs, rewards, _, truncated, infos = env.step(a)
        nxt = situations(obs)
        # A run cut off by its length is not an end: learn from where it stood.
        seen = nxt.copy()
        if truncated.any():
            seen[truncated] = situations(infos["final_observation"][truncated])
        target = rewards + gamma * q[seen].max(axis=-1)
        np.add.at(q, (s, a), alpha * (target - q[s, a]))
        s = nxt
    log(f"trained: {steps * n * 2:,} decisions in {n} worlds, "
        f"{time.monotonic() - start:.0f} s")
    return q


def judge(policy, seeds, minutes):
    """The chaser's share "it" (%) per seed, the opponents choosing by policy."""
    shares = []
    for seed in seeds:
        env = skivo.parallel_env(agents=(1, 2), player="shortest", minutes=minutes,
                                 decision_ms=96)
        obs, _ = env.reset(seed=seed)
        while env.agents:
            obs, *_ = env.step({a: int(policy(obs[a])) for a in env.agents})
        stats = env.stats()
        shares.append(100 * stats["it_ms"][0] / stats["game_ms"])
    return np.array(shares)


def interval(shares):
    half = T95[len(shares) - 1] * shares.std(ddof=1) / np.sqrt(len(shares))
    return f"{shares.mean():5.1f} % +- {half:.1f}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--steps", type=int, default=500_000,
                        help="steps of the batch to train (about 100 s on 2 cores)")
    parser.add_argument("--worlds", type=int, default=32)
    parser.add_argument("--seed", type=int, default=1,
                        help="the training's seeds: this one and the next worlds - 1")
    parser.add_argument("--judge-seeds", type=int, default=8)
    parser.add_argument("--judge-minutes", type=float, default=5)
    parser.add_argument("--save", help="save the table (numpy .npy)")
    args = parser.parse_args()

    q = train(args.steps, args.worlds, seed=args.seed, log=print)
    if args.save:
        np.save(args.save, q)
    # Held-out seeds: training plays from --seed on; these lie far beyond.
    seeds = range(10**6, 10**6 + args.judge_seeds)
    rng = np.random.default_rng(0)
    learned = judge(lambda o: q[situations(o)].argmax(), seeds, args.judge_minutes)
    random = judge(lambda o: rng.integers(MOVES), seeds, args.judge_minutes)
    print(f"the shortest-way chaser is \"it\" {interval(learned)} against the learned table")
    print(f"                            {interval(random)} against random moves")
    print("per seed, learned:", " ".join(f"{x:.0f}" for x in learned))
    print("per seed, random: ", " ".join(f"{x:.0f}" for x in random))


if __name__ == "__main__":
    main()
