"""The action and observation spaces: gymnasium's Discrete and Box where
gymnasium can be imported, and otherwise small classes with the same
attributes (n, shape, dtype, low, high, sample(), contains(), seed()), so
that code written for either works."""

import numpy as np

try:  # pragma: no cover - depends on what is installed
    from gymnasium.spaces import Box, Discrete  # noqa: F401
    FROM_GYMNASIUM = True
except ImportError:
    FROM_GYMNASIUM = False

    class Discrete:
        """The integers 0 to n - 1."""

        def __init__(self, n, seed=None):
            if int(n) != n or n < 1:
                raise ValueError(f"Discrete: n must be a whole number above 0, not {n!r}")
            self.n = np.int64(n)
            self.start = np.int64(0)
            self.shape = ()
            self.dtype = np.dtype(np.int64)
            self.np_random = np.random.default_rng(seed)

        def seed(self, seed=None):
            self.np_random = np.random.default_rng(seed)
            return [seed]

        def sample(self):
            return np.int64(self.np_random.integers(self.n))

        def contains(self, x):
            if isinstance(x, (bool, np.bool_)):
                return False
            if isinstance(x, (int, np.integer)):
                return 0 <= x < self.n
            if isinstance(x, np.ndarray) and x.shape == () and np.issubdtype(x.dtype, np.integer):
                return 0 <= int(x) < self.n
            return False

        __contains__ = contains

        def __repr__(self):
            return f"Discrete({self.n})"

        def __eq__(self, other):
            return isinstance(other, Discrete) and self.n == other.n

    class Box:
        """Arrays of a shape whose entries lie within [low, high]."""

        def __init__(self, low, high, shape=None, dtype=np.float32, seed=None):
            self.dtype = np.dtype(dtype)
            if shape is None:
                shape = np.shape(low) if np.shape(low) != () else np.shape(high)
            self.shape = tuple(int(s) for s in shape)
            self.low = np.broadcast_to(np.asarray(low, self.dtype), self.shape).copy()
            self.high = np.broadcast_to(np.asarray(high, self.dtype), self.shape).copy()
            if np.any(self.low > self.high):
                raise ValueError("Box: low must not exceed high")
            self.np_random = np.random.default_rng(seed)

        def seed(self, seed=None):
            self.np_random = np.random.default_rng(seed)
            return [seed]

        def sample(self):
            # Unbounded sides are drawn from a normal distribution.
            low = np.where(np.isfinite(self.low), self.low, -1.0)
            high = np.where(np.isfinite(self.high), self.high, 1.0)
            x = self.np_random.uniform(low, high, self.shape)
            free = ~np.isfinite(self.low) & ~np.isfinite(self.high)
            x[free] = self.np_random.normal(size=int(free.sum()))
            return x.astype(self.dtype)

        def contains(self, x):
            if not isinstance(x, np.ndarray):
                try:
                    x = np.asarray(x, dtype=self.dtype)
                except (TypeError, ValueError):
                    return False
            return bool(x.shape == self.shape and np.can_cast(x.dtype, self.dtype)
                        and np.all(x >= self.low) and np.all(x <= self.high))

        __contains__ = contains

        def __repr__(self):
            return f"Box({self.low.min()}, {self.high.max()}, {self.shape}, {self.dtype})"

        def __eq__(self, other):
            return (isinstance(other, Box) and self.shape == other.shape
                    and np.array_equal(self.low, other.low) and np.array_equal(self.high, other.high))
