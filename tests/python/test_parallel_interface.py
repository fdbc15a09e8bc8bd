"""The parallel interface, as its documentation states it: agents and dicts,
spaces that hold what reset and step return, truncation that removes the
agents, reset(seed) that replays a run exactly, and clear errors for
actions outside the space."""

import numpy as np
import pytest

import skivo
from conftest import moves

SHORT = 0.05  # game minutes: 3 s, 63 decisions of 48 ms


def make(**kwargs):
    kwargs.setdefault("minutes", SHORT)
    kwargs.setdefault("opponents", "scripted")
    return skivo.parallel_env(**kwargs)


@pytest.mark.parametrize("agents,actions", [((0,), "discrete"), ((0, 1, 2), "box"),
                                            ((2,), "discrete")])
def test_every_dict_is_keyed_by_the_live_agents_and_the_spaces_hold_every_value(agents, actions):
    env = make(agents=agents, actions=actions)
    names = [skivo.agent_name(c) for c in agents]
    assert env.possible_agents == names and env.agents == []
    observations, infos = env.reset(seed=3)
    assert env.agents == names and set(observations) == set(infos) == set(names)
    for a in names:
        assert env.observation_space(a).contains(observations[a])
    steps = 0
    while env.agents:
        live = list(env.agents)
        step = {a: env.action_space(a).sample() for a in live}
        for a in live:
            assert env.action_space(a).contains(step[a])
        result = env.step(step)
        steps += 1
        for d in result:
            assert set(d) == set(live)
        observations, rewards, terminations, truncations, infos = result
        for a in live:
            assert env.observation_space(a).contains(observations[a])
            assert observations[a].dtype == np.float32
            assert isinstance(rewards[a], float) and np.isfinite(rewards[a])
            assert terminations[a] is False
    # The last step truncated every agent at once, at the run's length.
    assert all(truncations.values()) and env.agents == []
    assert steps == int(np.ceil(SHORT * 60000 / 48))
    with pytest.raises(RuntimeError, match="reset"):
        env.step({})
    env.reset()
    assert env.agents == names


def test_reset_with_a_seed_replays_the_run_bit_for_bit_and_another_seed_does_not():
    def run(seed):
        env = make(agents=(0, 1), opponents="adaptive")
        obs, _ = env.reset(seed=seed)
        trace = [np.concatenate([obs[a] for a in env.agents]).tobytes()]
        for step in moves(7, 40, env.agents):
            obs, rewards, *_ = env.step(step)
            trace.append(np.concatenate([obs[a] for a in obs]).tobytes())
            trace.append(repr(sorted(rewards.items())))
        return trace, env.stats()

    first, stats = run(11)
    again, stats_again = run(11)
    assert first == again and stats == stats_again
    other, _ = run(12)
    assert other[0] != first[0]


def test_an_action_outside_the_space_is_a_value_error_and_the_run_goes_on():
    env = make(agents=(0, 1))
    env.reset(seed=1)
    good = {"character_0": 1, "character_1": 2}
    for bad in (9, -1, 1.5, "north", None, True, [1, 2]):
        with pytest.raises(ValueError):
            env.step({**good, "character_0": bad})
    with pytest.raises(ValueError, match="missing"):
        env.step({"character_0": 1})
    with pytest.raises(ValueError):
        env.step({**good, "character_2": 0})
    with pytest.raises(ValueError):
        env.observation_space("character_2")
    env.step(good)
    box = make(actions="box")
    box.reset(seed=1)
    for bad in ([1, 0, 1.5], [2, 0, 1], [np.nan, 0, 1], [1, 0], [[1, 0, 1]], "fast"):
        with pytest.raises(ValueError):
            box.step({"character_0": bad})
    box.step({"character_0": [0.0, 1.0, 1.0]})


def test_the_observation_says_who_is_it_where_the_others_are_and_how_the_player_moves():
    env = make(agents=(0, 1, 2), actions="box", opponents="scripted")
    obs, _ = env.reset(seed=5)
    it = skivo.OBSERVATION_FIELDS["it"]
    # Character 0 begins as "it": it sees itself so, the others see it first.
    assert list(obs["character_0"][it]) == [1, 0, 0]
    assert list(obs["character_1"][it]) == [0, 1, 0]
    assert list(obs["character_2"][it]) == [0, 1, 0]
    # Offsets are mutual: 0 sees 1 where 1 sees 0, reversed.
    first = skivo.OBSERVATION_FIELDS["first_other"]
    np.testing.assert_allclose(obs["character_0"][first][:2], -obs["character_1"][first][:2],
                               atol=1e-6)
    clear = obs["character_0"][skivo.OBSERVATION_FIELDS["clearance"]]
    assert np.all((clear >= 0) & (clear <= 1))
    # Running right at full speed for 1.4 s: the velocity says so.
    for _ in range(30):
        obs, *_ = env.step({"character_0": [1, 0, 1], "character_1": [0, 0, 0],
                            "character_2": [0, 0, 0]})
    vx, vy = obs["character_0"][skivo.OBSERVATION_FIELDS["velocity"]]
    assert vx > 0.5 and abs(vy) < 0.2


def test_bad_arguments_are_refused_with_a_message_naming_them():
    for kwargs, word in [({"rules": "chess"}, "rules"), ({"agents": ()}, "agents"),
                         ({"agents": (3,)}, "agents"), ({"decision_ms": 20}, "decision_ms"),
                         ({"step_ms": 0}, "step_ms"), ({"minutes": -1}, "minutes"),
                         ({"player": "mirror"}, "player"), ({"opponents": "nobody"}, "opponents"),
                         ({"rewards": {"bonus": 1}}, "rewards"), ({"actions": "joystick"}, "actions"),
                         ({"render_mode": "film"}, "render_mode")]:
        with pytest.raises(ValueError, match=word):
            skivo.parallel_env(**kwargs)
    with pytest.raises(ValueError, match="seed"):
        make().reset(seed=-1)


def test_rewards_follow_the_tag_a_run_of_it_costs_and_passing_it_pays():
    env = make(agents=(0,), minutes=1, opponents="scripted", player="still",
               rewards={"distance": 0.0, "it_per_second": -1.0})
    env.reset(seed=2)
    total, tags = 0.0, 0
    while env.agents:
        _, rewards, *_ = env.step({"character_0": 0})
        total += rewards["character_0"]
    stats = env.stats()
    # Standing still: every second "it" costs 1, every tag received -1 and
    # passed +1; nothing else is paid.
    tags = stats["tags_made"][0] - stats["tags_received"][0]
    assert total == pytest.approx(-stats["it_ms"][0] / 1000 + tags, abs=1e-3)
    assert stats["it_ms"][0] > 0
