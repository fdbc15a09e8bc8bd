# The Debian packages skivo needs, in one place, and the function that installs
# the missing ones. Sourced by scripts/play, scripts/web, scripts/test,
# scripts/train-opponents and tests/e2e/make-startup-reference.

# Building and running the games.
SKIVO_GAME_PACKAGES=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libegl-dev libegl-mesa0  # pictures drawn without a window
  xvfb x11-apps imagemagick
)

# The games for the browser: Emscripten (with its own SDL and GL), CMake, and
# Python's web server for serving the page on this machine.
SKIVO_WEB_PACKAGES=(
  emscripten cmake make python3
)

# Training the opponents: GNU parallel spreads the work over cores and hosts.
SKIVO_TRAIN_PACKAGES=(
  "${SKIVO_GAME_PACKAGES[@]}"
  parallel
)

# The Python module skivo (built where these are present) and its tests.
SKIVO_PYTHON_PACKAGES=(
  python3-dev python3-pybind11 python3-numpy python3-pytest
)

# Everything the test command builds and runs on top of those.
SKIVO_TEST_PACKAGES=(
  "${SKIVO_TRAIN_PACKAGES[@]}"
  "${SKIVO_WEB_PACKAGES[@]}"
  "${SKIVO_PYTHON_PACKAGES[@]}"
  chromium  # the page in a real browser, driven by puppeteer-core (tests/web)
  libgtest-dev libgmock-dev libbenchmark-dev
  libx11-dev libxdamage-dev  # the blink probe of the end-to-end tests
  xdotool x11-utils x11-xserver-utils wmctrl openbox  # driving the games end to end
  xauth  # xvfb-run, for the README's commands that open a window
  dpkg-dev desktop-file-utils man-db lintian  # building and checking the Debian packages
  clang libclang-rt-14-dev
)

# Remaking the end-to-end tests' start-up layouts (tests/e2e/make-startup-reference).
SKIVO_REFERENCE_PACKAGES=(apitrace)

# ensure_packages game|web|train|python|test|reference: installs what is missing (as root, with apt-get).
ensure_packages() {
  local -a wanted missing=()
  case "$1" in
    game) wanted=("${SKIVO_GAME_PACKAGES[@]}") ;;
    web) wanted=("${SKIVO_WEB_PACKAGES[@]}") ;;
    train) wanted=("${SKIVO_TRAIN_PACKAGES[@]}") ;;
    python) wanted=("${SKIVO_GAME_PACKAGES[@]}" "${SKIVO_PYTHON_PACKAGES[@]}") ;;
    test) wanted=("${SKIVO_TEST_PACKAGES[@]}") ;;
    reference) wanted=("${SKIVO_TEST_PACKAGES[@]}" "${SKIVO_REFERENCE_PACKAGES[@]}") ;;
    *) echo "ensure_packages: unknown group '$1'" >&2; return 2 ;;
  esac
  local p
  for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing Debian packages: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "error: these packages are missing and installing them needs root: ${missing[*]}" >&2
    return 1
  fi
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
}

# ensure_npm: npm for the browser tests' pinned packages. It comes with some
# builds of Node.js; Debian's own Node.js needs Debian's npm package beside it.
ensure_npm() {
  command -v npm >/dev/null && return 0
  echo "Installing missing Debian package: npm"
  [ "$(id -u)" -eq 0 ] || { echo "error: npm is missing and installing it needs root" >&2; return 1; }
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y npm
}
