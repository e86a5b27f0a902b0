#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when any is missing;
# with "run", only what building and running the library and its tools needs.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config nlohmann-json3-dev libcli11-dev libzmq3-dev cppzmq-dev)
if [ "${1:-}" != run ]; then
  packages+=(clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev libprotobuf-dev
             protobuf-compiler)
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
