#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run. Skips apt entirely
# when all of them are installed already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsqlite3-dev libpq-dev postgresql-15
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libfmt-dev nlohmann-json3-dev
  libzint-dev libzxing-dev libpng-dev libjpeg62-turbo-dev
  libcairo2-dev libpango1.0-dev fonts-wqy-microhei poppler-utils
  libcpp-httplib-dev libssl-dev openssl
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y "${packages[@]}"
