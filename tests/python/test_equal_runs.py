"""The environment plays the arena's game: the same seed and controllers give
the arena's own figures, and a batch of worlds the runs of single ones."""

import csv
import io
import subprocess

import numpy as np
import pytest

import skivo
from conftest import moves


@pytest.mark.parametrize("rules,seamless,opponents", [("full", False, "adaptive"),
                                                      ("classic", True, "easy")])
def test_an_agent_that_stands_still_plays_the_arena_s_still_player_to_the_millisecond(
        arena_program, rules, seamless, opponents):
    minutes, seed = 2, 41
    args = [arena_program, "--player", "still", "--opponents", opponents, "--seed", str(seed),
            "--minutes", str(minutes), "--csv", "-", "--no-progress"]
    args += (["--classic"] if rules == "classic" else []) + (["--seamless"] if seamless else [])
    rows = list(csv.DictReader(io.StringIO(subprocess.run(
        args, check=True, capture_output=True, text=True).stdout)))
    env = skivo.parallel_env(rules=rules, seamless=seamless, opponents=opponents, minutes=minutes,
                             decision_ms=16, agents=(0,))
    env.reset(seed=seed)
    while env.agents:
        env.step({"character_0": 0})
    stats = env.stats()
    for c in range(3):
        assert stats["it_ms"][c] == round(1000 * sum(float(r[f"it_s_{c}"]) for r in rows))
        assert stats["tags_made"][c] == sum(int(r[f"tags_made_{c}"]) for r in rows)
        assert stats["tags_received"][c] == sum(int(r[f"tags_received_{c}"]) for r in rows)
    assert sum(stats["tags_made"]) > 0, "a run without a tag shows nothing"


def test_a_batch_steps_as_its_worlds_would_alone_across_truncations_and_threads():
    n, seed, kw = 3, 100, dict(minutes=0.02, agents=(0, 2), opponents="easy")
    batch = skivo.vector_env(n, threads=2, **kw)
    alone = [skivo.parallel_env(**kw) for _ in range(n)]
    obs = batch.reset(seed=seed)[0].copy()
    singles = [env.reset(seed=seed + i)[0] for i, env in enumerate(alone)]
    for i in range(n):
        np.testing.assert_array_equal(obs[i], np.stack(list(singles[i].values())))
    names = alone[0].possible_agents
    plays = [moves(i, 60, names) for i in range(n)]
    runs = [0] * n
    for t in range(60):
        actions = np.array([[plays[i][t][a] for a in names] for i in range(n)])
        obs, rewards, _, truncated, infos = batch.step(actions)
        for i, env in enumerate(alone):
            o, r, _, tr, _ = env.step(plays[i][t])
            ended = all(tr.values())
            assert bool(truncated[i]) == ended
            np.testing.assert_array_equal(rewards[i], [r[a] for a in names])
            if ended:
                runs[i] += 1
                np.testing.assert_array_equal(infos["final_observation"][i],
                                              np.stack([o[a] for a in names]))
                o, _ = env.reset(seed=seed + i + n * runs[i])
            np.testing.assert_array_equal(obs[i], np.stack([o[a] for a in names]))
    assert runs == [2] * n, "every world ran past its end twice"


def test_a_batch_refuses_bad_actions_before_stepping_any_world():
    batch = skivo.vector_env(2, minutes=0.02, opponents="scripted")
    with pytest.raises(RuntimeError, match="reset"):
        batch.step(np.zeros((2, 1), int))
    first = batch.reset(seed=1)[0].copy()
    for bad in (np.zeros((2, 2), int), np.full((2, 1), 9), np.zeros((2, 1)), np.full((2, 1), -1)):
        with pytest.raises(ValueError):
            batch.step(bad)
    # Nothing moved: the next good step starts from the reset.
    again = skivo.vector_env(2, minutes=0.02, opponents="scripted")
    np.testing.assert_array_equal(first, again.reset(seed=1)[0])
    np.testing.assert_array_equal(batch.step(np.zeros((2, 1), int))[0],
                                  again.step(np.zeros((2, 1), int))[0])
