#!/usr/bin/env python3
"""A small policy network for character 0, trained with PyTorch by policy
gradients (REINFORCE with a running baseline) on a batch of worlds against
the game's adaptive opponents. Runs where Debian's python3-torch is
installed; skivo's tests do not need it.

    PYTHONPATH=build/test/python python3 examples/python/torch_policy.py --seconds 300
"""

import argparse
import sys
import time

import numpy as np

import skivo

try:
    import torch
except ImportError:
    sys.exit("torch_policy.py needs PyTorch: apt-get install python3-torch")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=300)
    parser.add_argument("--worlds", type=int, default=64)
    parser.add_argument("--horizon", type=int, default=64, help="decisions per update")
    args = parser.parse_args()

    env = skivo.vector_env(args.worlds, agents=(0,), opponents="adaptive", decision_ms=96)
    net = torch.nn.Sequential(torch.nn.Linear(skivo.OBSERVATION_SIZE, 64), torch.nn.Tanh(),
                              torch.nn.Linear(64, 9))
    optimiser = torch.optim.Adam(net.parameters(), lr=3e-3)
    obs, _ = env.reset(seed=1)
    baseline, start, updates = 0.0, time.monotonic(), 0
    while time.monotonic() - start < args.seconds:
        logps, rewards = [], []
        for _ in range(args.horizon):
            logits = net(torch.from_numpy(obs[:, 0].copy()))
            dist = torch.distributions.Categorical(logits=logits)
            move = dist.sample()
            logps.append(dist.log_prob(move))
            obs, r, _, _, _ = env.step(move.numpy()[:, None])
            rewards.append(torch.from_numpy(r[:, 0].copy()))
        # Returns to go, discounted, per world.
        ret, returns = torch.zeros(args.worlds), []
        for r in reversed(rewards):
            ret = r + 0.97 * ret
            returns.append(ret)
        returns = torch.stack(returns[::-1])
        baseline = 0.9 * baseline + 0.1 * returns.mean().item()
        loss = -(torch.stack(logps) * (returns - baseline)).mean()
        optimiser.zero_grad()
        loss.backward()
        optimiser.step()
        updates += 1
        if updates % 20 == 0:
            print(f"{time.monotonic() - start:6.0f} s: mean reward a decision "
                  f"{torch.stack(rewards).mean().item():+.3f}")
    torch.save(net.state_dict(), "skivo_policy.pt")
    print("saved skivo_policy.pt")


if __name__ == "__main__":
    np.seterr(all="ignore")
    main()
