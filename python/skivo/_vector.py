"""vector_env: n worlds stepped together in C++, over the cores, with the
interpreter's lock released; arrays instead of dicts."""

import secrets

import numpy as np

from . import _skivo
from ._world import World, checked_seed


class VectorEnv:
    """n skivo worlds of one definition; see vector_env for the arguments.

    Observations are arrays of n x agents x observation size, rewards n x
    agents, truncations n: the same arrays at every step, overwritten by the
    next (copy what you keep). A world whose run is truncated starts its next
    run at once (on its seed plus n); the step reports the truncation, and
    the observation that run ended with is in infos["final_observation"]
    (rows of the truncated worlds only)."""

    def __init__(self, n, threads=0, **kwargs):
        if isinstance(n, bool) or not isinstance(n, (int, np.integer)):
            raise ValueError(f"n: a whole number of worlds, not {n!r}")
        if isinstance(threads, bool) or not isinstance(threads, (int, np.integer)) or threads < 0:
            raise ValueError(f"threads: 0 (one per core) or more, not {threads!r}")
        self._world = World(**kwargs)
        self._batch = self._world.make(_skivo.Batch, int(n), int(threads))
        self.num_envs = int(n)
        self.possible_agents = list(self._world.names)
        self.agents = list(self._world.names)
        self.single_observation_space = self._world.observation_space
        self.single_action_space = self._world.action_space
        self._terminations = np.zeros((self.num_envs, len(self.agents)), bool)
        self._reset = False

    @property
    def threads(self):
        return self._batch.threads

    def reset(self, seed=None, options=None):
        """Every world anew: world i on seed + i. Returns observations, infos."""
        if seed is None:
            seed = secrets.randbits(32)
        seed = checked_seed(seed)
        self._reset = True
        return self._batch.reset(seed), {}

    def step(self, actions):
        """actions: n x agents moves (whole numbers 0 to 8) or n x agents x 3
        boxes. Returns observations, rewards, terminations (always false:
        nothing ends a game of tag), truncations and infos."""
        if not self._reset:
            raise RuntimeError("call reset() first")
        a = np.asarray(actions)
        if self._world.box:
            want = (self.num_envs, len(self.agents), 3)
        else:
            want = (self.num_envs, len(self.agents))
            if a.dtype.kind not in "iu":
                raise ValueError(f"actions: whole numbers, not {a.dtype}")
        if a.shape != want:
            raise ValueError(f"actions: an array of shape {want}, not {a.shape}")
        obs, rewards, truncated, finals = self._batch.step(a.astype(np.float32, copy=False))
        infos = {}
        if truncated.any():
            infos["final_observation"] = finals
            infos["truncated_worlds"] = np.flatnonzero(truncated)
        return obs, rewards, self._terminations, truncated, infos

    def close(self):
        pass


def vector_env(n, threads=0, rules="full", seamless=False, step_ms=16, decision_ms=48,
               minutes=10.0, agents=(0,), player="shortest", opponents="adaptive",
               rewards=None, actions="discrete"):
    """n skivo worlds stepped together (the arguments of parallel_env, and
    threads: how many to spread the worlds over, 0 for one per core)."""
    return VectorEnv(n, threads=threads, rules=rules, seamless=seamless, step_ms=step_ms,
                     decision_ms=decision_ms, minutes=minutes, agents=agents, player=player,
                     opponents=opponents, rewards=rewards, actions=actions)
