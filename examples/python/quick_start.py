#!/usr/bin/env python3
"""The two snippets of docs/python.md, as they stand there: one world in the
parallel interface with random moves, then a batch of 64 worlds.

    PYTHONPATH=build/test/python python3 examples/python/quick_start.py
"""


def one_world():
    import skivo

    env = skivo.parallel_env(agents=(0,), opponents="adaptive", rules="full")
    observations, infos = env.reset(seed=1)
    while env.agents:
        actions = {a: env.action_space(a).sample() for a in env.agents}
        observations, rewards, terminations, truncations, infos = env.step(actions)
    print("one world:", env.stats())


def a_batch():
    import numpy as np
    import skivo

    env = skivo.vector_env(64, agents=(1, 2), player="shortest")
    obs, infos = env.reset(seed=1)                  # 64 x 2 x 22
    for _ in range(1000):
        moves = np.random.randint(0, 9, size=(64, 2))
        obs, rewards, terminations, truncations, infos = env.step(moves)
    print("a batch:", obs.shape, rewards.shape)


if __name__ == "__main__":
    one_world()
    a_batch()
