// _skivo: the arena's environments for Python (the package skivo wraps them
// in the parallel interface). Worlds, steps and drawing are C++; arrays
// cross as numpy arrays of float32, and a batch steps with the
// interpreter's lock released.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "skArena.h"
#include "skArenaEnv.h"
#include "skArenaEnvBatch.h"
#include "skArenaWatch.h"
#include "skFailure.h"
#include "skGui.h"
#include "skLook.h"
#include "skOffscreen.h"
#include "skUtil.h"

namespace py = pybind11;
using skivo::skArenaEnv;
using skivo::skArenaEnvBatch;
using skivo::skArenaEnvDef;

namespace {

using Floats = py::array_t<float, py::array::c_style | py::array::forcecast>;

// A failed check inside the library becomes a Python exception, never the
// end of the interpreter.
[[noreturn]] void raise(const skivo::skFailure& failure) {
  throw std::runtime_error(failure.text());
}

// The definition from the arena's own options (so that they are checked,
// with its messages) and the rest; ValueError when it is none.
skArenaEnvDef define(const std::vector<std::string>& options, const std::vector<int>& agents,
                     int decisionMs, bool box, const std::vector<double>& rewards) {
  skArenaEnvDef def;
  std::string error;
  if (!def.arena.parse(options, error)) throw py::value_error(error);
  for (bool& a : def.agent) a = false;
  for (int c : agents) {
    if (c < 0 || c > 2)
      throw py::value_error("agents: characters are 0, 1 and 2, not " + std::to_string(c));
    def.agent[c] = true;
  }
  def.decisionMs = decisionMs;
  def.boxActions = box;
  if (rewards.size() != 4)
    throw py::value_error("rewards: give passed, received, it_per_second, distance");
  def.arena.rewards = {rewards[0], rewards[1], rewards[2], rewards[3]};
  if (!skArenaEnv::check(def, error)) throw py::value_error(error);
  return def;
}

// The actions of one world, checked: ValueError naming the agent (its place
// in the agents' order) whose action is none.
void checkActions(const skArenaEnv& env, const float* actions, int world = -1) {
  const int size = env.actionSize();
  for (size_t a = 0; a < env.getAgents().size(); ++a) {
    if (env.valid(actions + a * size)) continue;
    std::string where = "character " + std::to_string(env.getAgents()[a]);
    if (world >= 0) where += " of world " + std::to_string(world);
    throw py::value_error("action of " + where + " is outside the action space");
  }
}

class Env {
 public:
  Env(const std::vector<std::string>& options, const std::vector<int>& agents, int decisionMs,
      bool box, const std::vector<double>& rewards)
      : env(define(options, agents, decisionMs, box, rewards)) {}

  Floats reset(unsigned int seed) {
    Floats obs({agentCount(), skArenaEnv::observationSize});
    std::string error;
    if (!env.reset(seed, obs.mutable_data(), error)) throw py::value_error(error);
    return obs;
  }

  py::tuple step(const Floats& actions) {
    if (!env.getArena() || env.isTruncated())
      throw std::runtime_error("reset the environment first");
    if (actions.size() != agentCount() * env.actionSize()) {
      throw py::value_error("actions: give " + std::to_string(agentCount()) + " x " +
                            std::to_string(env.actionSize()) + " numbers");
    }
    checkActions(env, actions.data());
    Floats obs({agentCount(), skArenaEnv::observationSize});
    Floats rewards(agentCount());
    const bool ended = env.step(actions.data(), obs.mutable_data(), rewards.mutable_data());
    return py::make_tuple(obs, rewards, ended);
  }

  py::dict stats() const {
    py::dict d;
    const long long* it = env.getItMs();
    d["game_ms"] = env.getGameMs();
    d["it_ms"] = py::make_tuple(it[0], it[1], it[2]);
    const int* made = env.getTagsMade();
    const int* received = env.getTagsReceived();
    d["tags_made"] = py::make_tuple(made[0], made[1], made[2]);
    d["tags_received"] = py::make_tuple(received[0], received[1], received[2]);
    d["seed"] = env.getSeed();
    return d;
  }

  py::array_t<std::uint8_t> render() {
    skivo::skGameState& gs = dressed();
    if (!picture) {
      const skivo::skRealVec& size = gs.getWorldDim();
      picture = std::make_unique<skivo::skOffscreen>(static_cast<int>(size[0]),
                                                     static_cast<int>(size[1]));
    }
    if (!picture->ok()) throw std::runtime_error("render: " + picture->why());
    py::array_t<std::uint8_t> rgb({picture->getHeight(), picture->getWidth(), 3});
    picture->begin();
    skivo::skGui::drawObjects(&gs);
    picture->read(rgb.mutable_data());
    return rgb;
  }

  // Shows the world in the watch window, paced to real time; false once the
  // window has been closed (or Escape pressed).
  bool watch() {
    skivo::skArena* arena = requireArena();
    if (!window || watched != arena) {
      window = std::make_unique<skivo::skArenaWatch>(1.0);
      watched = arena;
    }
    long long due;
    while ((due = window->frame(*arena)) == 0) {
    }
    return due > 0;
  }

  void closeWindow() {
    window.reset();
    watched = nullptr;
  }

  int agentCount() const { return static_cast<int>(env.getAgents().size()); }
  int actionSize() const { return env.actionSize(); }
  std::vector<int> agents() const { return env.getAgents(); }

 private:
  skArenaEnv env;
  std::unique_ptr<skivo::skOffscreen> picture;
  std::unique_ptr<skivo::skLook> look;
  skivo::skArena* looked = nullptr;
  std::unique_ptr<skivo::skArenaWatch> window;
  skivo::skArena* watched = nullptr;

  skivo::skArena* requireArena() {
    if (!env.getArena()) throw std::runtime_error("reset the environment first");
    return env.getArena();
  }
  // The world, each of its objects given the games' renderers.
  skivo::skGameState& dressed() {
    skivo::skArena* arena = requireArena();
    skivo::skGameState& gs = arena->getGameState();
    if (looked != arena) {
      look = std::make_unique<skivo::skLook>(&gs);
      look->dress(gs);
      looked = arena;
    }
    return gs;
  }
};

class Batch {
 public:
  Batch(const std::vector<std::string>& options, const std::vector<int>& agents, int decisionMs,
        bool box, const std::vector<double>& rewards, int n, int threads)
      : batch(define(options, agents, decisionMs, box, rewards), checkCount(n), threads),
        observations({n, batch.agentCount(), skArenaEnv::observationSize}),
        finals({n, batch.agentCount(), skArenaEnv::observationSize}),
        rewards({n, batch.agentCount()}),
        truncated(n) {}

  Floats reset(unsigned int seed) {
    std::string error;
    float* obs = observations.mutable_data();
    bool ok;
    {
      py::gil_scoped_release free;
      ok = batch.reset(seed, obs, error);
    }
    if (!ok) throw py::value_error(error);
    return observations;
  }

  py::tuple step(const Floats& actions) {
    const int n = batch.size();
    const int size = batch.env(0).actionSize();
    if (actions.size() != static_cast<py::ssize_t>(n) * batch.agentCount() * size) {
      throw py::value_error("actions: give " + std::to_string(n) + " x " +
                            std::to_string(batch.agentCount()) + " x " + std::to_string(size) +
                            " numbers");
    }
    const float* a = actions.data();
    for (int i = 0; i < n; ++i) {
      if (!batch.env(i).getArena()) throw std::runtime_error("reset the environment first");
      checkActions(batch.env(i), a + static_cast<size_t>(i) * batch.agentCount() * size, i);
    }
    std::string error;
    float* obs = observations.mutable_data();
    float* r = rewards.mutable_data();
    bool* t = truncated.mutable_data();
    float* f = finals.mutable_data();
    bool ok;
    {
      py::gil_scoped_release free;
      ok = batch.step(a, obs, r, reinterpret_cast<unsigned char*>(t), f, error);
    }
    if (!ok) throw std::runtime_error(error);
    return py::make_tuple(observations, rewards, truncated, finals);
  }

  int size() const { return batch.size(); }
  int threads() const { return batch.threadCount(); }
  int agentCount() const { return batch.agentCount(); }

 private:
  skArenaEnvBatch batch;
  Floats observations, finals, rewards;
  py::array_t<bool> truncated;
  static int checkCount(int n) {
    if (n < 1 || n > 65536) throw py::value_error("n: give from 1 to 65536 worlds");
    return n;
  }
};

}  // namespace

PYBIND11_MODULE(_skivo, m) {
  m.doc() = "The skivo arena's worlds, for the package skivo.";
  skivo::skUtil::setFailureHandler(raise);
  m.attr("observation_size") = skArenaEnv::observationSize;
  m.attr("move_count") = skArenaEnv::moveCount;
  m.attr("box_size") = skArenaEnv::boxSize;
  py::class_<Env>(m, "Env")
      .def(py::init<const std::vector<std::string>&, const std::vector<int>&, int, bool,
                    const std::vector<double>&>())
      .def("reset", &Env::reset)
      .def("step", &Env::step)
      .def("stats", &Env::stats)
      .def("render", &Env::render)
      .def("watch", &Env::watch)
      .def("close_window", &Env::closeWindow)
      .def_property_readonly("agents", &Env::agents)
      .def_property_readonly("action_size", &Env::actionSize);
  py::class_<Batch>(m, "Batch")
      .def(py::init<const std::vector<std::string>&, const std::vector<int>&, int, bool,
                    const std::vector<double>&, int, int>())
      .def("reset", &Batch::reset)
      .def("step", &Batch::step)
      .def_property_readonly("size", &Batch::size)
      .def_property_readonly("threads", &Batch::threads)
      .def_property_readonly("agent_count", &Batch::agentCount);
}
