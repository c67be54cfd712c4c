#!/usr/bin/env bash
# Builds the Debian package dist/twistor_<version>_amd64.deb from a clean build
# (build-package/, Release, no tests or benchmarks) with CPack. The package's
# library dependencies come from dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
build=build-package
rm -rf "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DTWISTOR_BENCH=OFF -DTWISTOR_WERROR=ON
cmake --build "$build" --parallel 2
(cd "$build" && cpack -G DEB)
mkdir -p dist
deb=$(cd "$build" && ls twistor_*_amd64.deb)
cp "$build/$deb" dist/
echo "package: $PWD/dist/$deb"
dpkg-deb --field "dist/$deb" Package Version Depends
