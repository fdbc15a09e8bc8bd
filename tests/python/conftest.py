"""The package under test is the build's (PYTHONPATH=<build>/python, set by
CTest); SKIVO_ARENA names the build's skivo-arena."""

import os

import numpy as np
import pytest


@pytest.fixture
def arena_program():
    path = os.environ.get("SKIVO_ARENA")
    if not path:
        pytest.skip("SKIVO_ARENA is not set (run through ctest)")
    return path


def moves(seed, count, agents):
    """A fixed stream of random moves, one dict per step."""
    rng = np.random.default_rng(seed)
    return [{a: int(m) for a, m in zip(agents, rng.integers(0, 9, len(agents)))}
            for _ in range(count)]
