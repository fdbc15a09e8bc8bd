"""What parallel_env and vector_env share: the keyword arguments checked and
turned into the arena's options, the agents' names and the spaces."""

import math

import numpy as np

from . import _skivo
from ._spaces import Box, Discrete

OBSERVATION_SIZE = _skivo.observation_size
MOVE_COUNT = _skivo.move_count
# Where the fields of an observation lie (see docs/python.md).
OBSERVATION_FIELDS = {
    "velocity": slice(0, 2),
    "sprint": slice(2, 3),
    "first_other": slice(3, 7),
    "second_other": slice(7, 11),
    "it": slice(11, 14),
    "clearance": slice(14, 22),
}
PLAYERS = ("chaser", "shortest", "wander", "still", "expert", "keys-straight", "keys-dodger")
DEFAULT_REWARDS = {"passed": 1.0, "received": -1.0, "it_per_second": -0.2, "distance": 0.5}
_VELOCITY_BOUND = 10.0


def agent_name(character):
    return f"character_{character}"


def checked_seed(seed):
    """seed as an int, or ValueError: a whole number from 0 to 2**32 - 1."""
    if isinstance(seed, bool) or not isinstance(seed, (int, np.integer)) or \
            not 0 <= seed < 2**32:
        raise ValueError(f"seed: a whole number from 0 to 2**32 - 1, not {seed!r}")
    return int(seed)


class World:
    """The checked definition of a world, as _skivo takes it."""

    def __init__(self, rules="full", seamless=False, step_ms=16, decision_ms=48, minutes=10.0,
                 agents=(0,), player="shortest", opponents="adaptive", rewards=None,
                 actions="discrete"):
        if rules not in ("full", "classic"):
            raise ValueError(f"rules: 'full' or 'classic', not {rules!r}")
        if not isinstance(seamless, (bool, np.bool_)):
            raise ValueError(f"seamless: True or False, not {seamless!r}")
        for name, value in (("step_ms", step_ms), ("decision_ms", decision_ms)):
            if isinstance(value, bool) or not isinstance(value, (int, np.integer)) or \
                    not 1 <= value <= 3_600_000:
                raise ValueError(f"{name}: whole milliseconds from 1 to an hour, not {value!r}")
        if isinstance(minutes, bool) or not isinstance(minutes, (int, float, np.number)) \
                or not math.isfinite(minutes) or minutes <= 0:
            raise ValueError(f"minutes: game minutes above 0, not {minutes!r}")
        try:
            characters = sorted({int(c) for c in agents})
        except (TypeError, ValueError):
            raise ValueError(f"agents: characters 0, 1 or 2, not {agents!r}") from None
        if not characters or any(c not in (0, 1, 2) for c in characters) or \
                any(isinstance(c, bool) or int(c) != c for c in agents):
            raise ValueError(f"agents: one or more of the characters 0, 1 and 2, not {agents!r}")
        if player not in PLAYERS:
            raise ValueError(f"player: one of {', '.join(PLAYERS)}; not {player!r}")
        if not isinstance(opponents, str) or not opponents or opponents.startswith("-"):
            raise ValueError(f"opponents: a kind of opponents of skivo-arena, not {opponents!r}")
        if actions not in ("discrete", "box"):
            raise ValueError(f"actions: 'discrete' or 'box', not {actions!r}")
        merged = dict(DEFAULT_REWARDS)
        if rewards is not None:
            if not isinstance(rewards, dict) or set(rewards) - set(DEFAULT_REWARDS):
                raise ValueError(f"rewards: a dict of {', '.join(DEFAULT_REWARDS)}")
            merged.update(rewards)
        try:
            self.rewards = [float(merged[k]) for k in DEFAULT_REWARDS]
        except (TypeError, ValueError):
            raise ValueError("rewards: numbers") from None
        self.options = (["--classic"] if rules == "classic" else []) + \
            (["--seamless"] if seamless else []) + \
            ["--step-ms", str(int(step_ms)), "--minutes", repr(float(minutes)),
             "--player", player, "--opponents", opponents]
        self.characters = characters
        self.decision_ms = int(decision_ms)
        self.box = actions == "box"
        self.names = [agent_name(c) for c in characters]
        # Ways lie within -1..1, flags, the sprint and the clearances within
        # 0..1, velocities within +-10.
        low = np.full(OBSERVATION_SIZE, -1.0, np.float32)
        high = np.ones(OBSERVATION_SIZE, np.float32)
        low[[2] + list(range(11, 22))] = 0
        velocities = [0, 1, 5, 6, 9, 10]
        low[velocities], high[velocities] = -_VELOCITY_BOUND, _VELOCITY_BOUND
        self.observation_space = Box(low, high, dtype=np.float32)
        if self.box:
            self.action_space = Box(np.array([-1, -1, 0], np.float32),
                                    np.array([1, 1, 1], np.float32), dtype=np.float32)
        else:
            self.action_space = Discrete(MOVE_COUNT)

    def args(self):
        return (self.options, self.characters, self.decision_ms, self.box, self.rewards)

    def make(self, kind, *more):
        """kind (_skivo.Env or Batch) of this world; the arena's messages
        name the options as this module's arguments."""
        try:
            return kind(*self.args(), *more)
        except ValueError as e:
            text = str(e)
            for option, argument in _ARGUMENTS.items():
                text = text.replace(option, argument)
            raise ValueError(text) from None


# The arena's options as this module's arguments, in its messages.
_ARGUMENTS = {"--step-ms": "step_ms", "--minutes": "minutes", "--player": "player",
              "--opponents": "opponents", "(see --help)": ""}
