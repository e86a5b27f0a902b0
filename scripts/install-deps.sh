#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when any is missing;
# with "run", only what building and running the library and its tools needs. Then the npm
# packages of the browser test (tests/statexport), from their lock file.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config nlohmann-json3-dev libcli11-dev libzmq3-dev cppzmq-dev
          prometheus-cpp-dev libcivetweb-dev)
if [ "${1:-}" != run ]; then
  packages+=(clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev libprotobuf-dev
             protobuf-compiler python3 prometheus chromium)
  # A node from elsewhere brings its own npm, which Debian's npm package would conflict with.
  command -v node >/dev/null || packages+=(nodejs npm)
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

# playwright-core drives the system's /usr/bin/chromium; no browser of its own is downloaded.
npm_dir=tests/statexport
if [ "${1:-}" != run ] &&
  [ "$npm_dir/package-lock.json" -nt "$npm_dir/node_modules/.package-lock.json" ]; then
  echo "installing the npm packages of $npm_dir"
  PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --prefix "$npm_dir" --no-audit --no-fund
fi
