#!/bin/sh
# Installs the Debian packages the build, tests and benchmarks need, when they are missing.
set -e
PACKAGES="cmake make g++ clang libclang-rt-14-dev pkg-config ninja-build libgtest-dev libgmock-dev libbenchmark-dev \
libpolyclipping-dev libgeos-dev libboost-dev libglu1-mesa-dev \
nlohmann-json3-dev libcli11-dev clang-format-16 \
pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest python3-shapely"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q $missing
