"""skivo: the arena of the game of tag as multi-agent environments.

    import skivo
    env = skivo.parallel_env(agents=(0,), opponents="adaptive")
    observations, infos = env.reset(seed=1)
    while env.agents:
        actions = {a: env.action_space(a).sample() for a in env.agents}
        observations, rewards, terminations, truncations, infos = env.step(actions)

See docs/python.md for the observation's layout, the actions and the rewards."""

from ._parallel import ParallelEnv, parallel_env
from ._spaces import FROM_GYMNASIUM, Box, Discrete
from ._vector import VectorEnv, vector_env
from ._world import DEFAULT_REWARDS, OBSERVATION_FIELDS, OBSERVATION_SIZE, PLAYERS, agent_name

__all__ = ["parallel_env", "vector_env", "ParallelEnv", "VectorEnv", "Box", "Discrete",
           "FROM_GYMNASIUM", "OBSERVATION_SIZE", "OBSERVATION_FIELDS", "PLAYERS",
           "DEFAULT_REWARDS", "agent_name"]
