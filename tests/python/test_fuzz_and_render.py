"""Random arguments and actions never crash the interpreter: each is taken or
refused with a ValueError. render() draws the world as the game does."""

import os
import subprocess
import sys

import numpy as np
import pytest

import skivo

CHOICES = {
    "rules": ["full", "classic", "", None, 3],
    "seamless": [True, False, 1, "yes"],
    "step_ms": [1, 16, 0, -5, 16.5, 10**9, "16"],
    "decision_ms": [16, 48, 17, 0, 10**12, None],
    "minutes": [0.01, 1, 0, -1, float("nan"), float("inf"), "1"],
    "agents": [(0,), (1, 2), (), (0, 0), (5,), (-1,), "0", None, (0.5,)],
    "player": list(skivo.PLAYERS) + ["mirror", "", None],
    "opponents": ["scripted", "easy", "grade-3", "grade-99", "skills", "--help", "", "/nowhere"],
    "rewards": [None, {}, {"passed": 2}, {"passed": "x"}, {"other": 1}, [1, 2]],
    "actions": ["discrete", "box", "keys"],
}
ACTIONS = [0, 8, 9, -1, 2.0, "3", None, np.int64(4), [1, 0, 1], [0, 0, 0], [1, 1, 2],
           [np.inf, 0, 1], np.array([0.3, -0.2, 0.5], np.float32), (1, 2, 3, 4), {}]


def test_random_arguments_and_actions_are_taken_or_refused_with_a_value_error():
    rng = np.random.default_rng(2024)
    built = 0
    for _ in range(150):
        kwargs = {k: v[rng.integers(len(v))] for k, v in CHOICES.items() if rng.random() < 0.25}
        kwargs["minutes"] = 0.005 if "minutes" not in kwargs else kwargs["minutes"]
        try:
            env = skivo.parallel_env(**kwargs)
        except ValueError as e:
            assert str(e)
            continue
        try:
            env.reset(seed=int(rng.integers(2**32)))
        except ValueError as e:  # tables that cannot be loaded
            assert "tactics file" in str(e)
            continue
        built += 1
        for _ in range(12):
            if not env.agents:
                break
            step = {a: ACTIONS[rng.integers(len(ACTIONS))] for a in env.agents}
            try:
                env.step(step)
            except ValueError as e:
                assert str(e)
    assert built > 10


def test_opponents_whose_tables_cannot_be_loaded_are_refused_and_python_lives_on():
    # In a child, so that a crash would show as one.
    code = ("import skivo\n"
            "try:\n"
            "    skivo.parallel_env(opponents='/dev/null/nothing').reset(seed=1)\n"
            "except (ValueError, RuntimeError) as e:\n"
            "    print('refused:', e)\n")
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, timeout=60)
    assert out.returncode == 0 and "refused" in out.stdout, out.stderr


def test_render_draws_the_disks_where_they_are_as_the_game_draws_them():
    env = skivo.parallel_env(render_mode="rgb_array", agents=(0, 1, 2), actions="box",
                             opponents="scripted", minutes=0.1)
    env.reset(seed=9)
    picture = env.render()
    assert picture.shape == (512, 512, 3) and picture.dtype == np.uint8
    red = (picture[..., 0] > 200) & (picture[..., 1] < 60) & (picture[..., 2] < 60)
    blue = (picture[..., 0] < 60) & (picture[..., 1] < 60) & (picture[..., 2] > 200)
    green = (picture[..., 0] < 60) & (picture[..., 1] > 200) & (picture[..., 2] < 60)
    # The player is "it" (red or blue as it blinks), the others green.
    player = red | blue
    assert player.sum() > 100 and green.sum() > 200
    # Where the player stands, seen from character 1: its offset, turned into
    # the picture's rows (the first row is the top of the arena).
    ys, xs = np.nonzero(player)
    for _ in range(15):
        env.step({a: [1, 0, 1] if a == "character_0" else [0, 0, 0] for a in env.agents})
    moved = env.render()
    after = ((moved[..., 0] > 200) & (moved[..., 1] < 60) & (moved[..., 2] < 60)) | \
            ((moved[..., 0] < 60) & (moved[..., 1] < 60) & (moved[..., 2] > 200))
    shift = (np.nonzero(after)[1].mean() - xs.mean()) % 512
    assert 5 < shift < 200, f"ran right, drawn {shift} pixels further"


@pytest.mark.skipif(not os.environ.get("DISPLAY"), reason="no display for the window")
def test_human_mode_shows_the_world_in_a_window_paced_to_real_time():
    import time
    env = skivo.parallel_env(render_mode="human", minutes=0.05, opponents="scripted",
                             decision_ms=48)
    env.reset(seed=1)
    start = time.monotonic()
    for _ in range(21):
        env.step({"character_0": 3})
    elapsed = time.monotonic() - start
    env.close()
    # 21 decisions of 48 ms: about a second of game time, shown in about as much.
    assert 0.7 < elapsed < 5, elapsed
