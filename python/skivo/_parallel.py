"""parallel_env: one world in the multi-agent parallel interface (agents
named by strings; every dict keyed by agent)."""

import secrets

import numpy as np

from . import _skivo
from ._world import World, checked_seed


class ParallelEnv:
    """One skivo world; see parallel_env for the arguments."""

    metadata = {"name": "skivo_v0", "render_modes": ["human", "rgb_array"],
                "is_parallelizable": True, "render_fps": 60}

    def __init__(self, render_mode=None, **kwargs):
        if render_mode not in (None, "human", "rgb_array"):
            raise ValueError(f"render_mode: None, 'human' or 'rgb_array', not {render_mode!r}")
        self.render_mode = render_mode
        self._world = World(**kwargs)
        self._env = self._world.make(_skivo.Env)
        self.possible_agents = list(self._world.names)
        self.agents = []
        self._seed = None
        self._discrete = not self._world.box
        self._index = {name: k for k, name in enumerate(self.possible_agents)}

    def observation_space(self, agent):
        self._check_agent(agent)
        return self._world.observation_space

    def action_space(self, agent):
        self._check_agent(agent)
        return self._world.action_space

    @property
    def num_agents(self):
        return len(self.agents)

    @property
    def max_num_agents(self):
        return len(self.possible_agents)

    def reset(self, seed=None, options=None):
        """A new run: on the world of seed (a whole number from 0 to 2**32 - 1),
        else on the next one after the last run's, else on a fresh one."""
        if seed is None:
            seed = secrets.randbits(32) if self._seed is None else (self._seed + 1) % 2**32
        if options is not None and not isinstance(options, dict):
            raise ValueError("options: a dict or None")
        self._seed = checked_seed(seed)
        obs = self._env.reset(self._seed)
        self.agents = list(self.possible_agents)
        if self.render_mode == "human":
            self.render()
        return ({a: obs[k] for k, a in enumerate(self.agents)},
                {a: {} for a in self.agents})

    def step(self, actions):
        """One decision of every agent; the five dicts of the parallel interface."""
        agents = self.agents
        if not agents:
            raise RuntimeError("the run has ended (or not begun): call reset()")
        if len(actions) != len(agents) or any(a not in actions for a in agents):
            missing = [a for a in agents if a not in actions]
            extra = [a for a in actions if a not in self._index or a not in agents]
            raise ValueError(f"actions: one for each of {agents}; missing {missing}, "
                             f"not agents {extra}")
        values = [actions[a] for a in agents]
        if self._discrete:
            for a, v in zip(agents, values):
                if isinstance(v, (bool, np.bool_)) or not isinstance(v, (int, np.integer)):
                    raise ValueError(f"action of {a}: a move from 0 to 8, not {v!r}")
        try:
            packed = np.asarray(values, dtype=np.float32)
        except (TypeError, ValueError):
            raise ValueError(f"actions: outside the action space: {values!r}") from None
        if not self._discrete and packed.shape != (len(agents), 3):
            raise ValueError("actions: each a direction x, y and a speed (3 numbers)")
        obs, rewards, ended = self._env.step(packed)
        observations = {a: obs[k] for k, a in enumerate(agents)}
        rewarded = {a: float(rewards[k]) for k, a in enumerate(agents)}
        terminations = dict.fromkeys(agents, False)
        truncations = dict.fromkeys(agents, ended)
        infos = {a: {} for a in agents}
        if ended:
            self.agents = []
        if self.render_mode == "human":
            self.render()
        return observations, rewarded, terminations, truncations, infos

    def render(self):
        """rgb_array: the picture as the game draws it, an array of height x
        width x 3 bytes. human: the world in a window, paced to real time."""
        if self.render_mode is None:
            return None
        if self.render_mode == "rgb_array":
            return self._env.render()
        if not self._env.watch():
            raise KeyboardInterrupt("the window was closed")
        return None

    def close(self):
        self._env.close_window()

    def stats(self):
        """How the run stands: game milliseconds, and per character its
        milliseconds "it" and the tags it made and received; the seed."""
        return self._env.stats()

    def state(self):
        raise NotImplementedError("skivo has no global state array; use render()")

    def _check_agent(self, agent):
        if agent not in self._index:
            raise ValueError(f"agent: one of {self.possible_agents}, not {agent!r}")

    def __del__(self):
        try:
            self.close()
        except Exception:  # noqa: BLE001 - the interpreter may be shutting down
            pass


def parallel_env(render_mode=None, rules="full", seamless=False, step_ms=16, decision_ms=48,
                 minutes=10.0, agents=(0,), player="shortest", opponents="adaptive",
                 rewards=None, actions="discrete"):
    """A skivo world in the parallel interface.

    rules: "full" or "classic"; seamless: edges that collisions, tags and
    sight reach across. step_ms: game milliseconds of one simulation step;
    decision_ms: of one decision (a whole number of steps). minutes: game
    minutes to a truncation. agents: the characters (0, 1, 2) the agents
    drive; character 0 is otherwise played by the panel player `player`,
    characters 1 and 2 by `opponents` (any kind of skivo-arena's
    --opponents: "adaptive", "easy", "grade-G", "learning", "scripted",
    "experts", ...). rewards: a dict overriding passed, received,
    it_per_second and distance. actions: "discrete" (nine moves) or "box"
    (direction x, y and speed)."""
    return ParallelEnv(render_mode=render_mode, rules=rules, seamless=seamless, step_ms=step_ms,
                       decision_ms=decision_ms, minutes=minutes, agents=agents, player=player,
                       opponents=opponents, rewards=rewards, actions=actions)
