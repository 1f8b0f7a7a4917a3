#!/usr/bin/env bash
# Installs the Debian 12 packages Zentrix needs that are not installed yet.
# Usage: scripts/install-deps.sh [build|test|fuzz|format|run|bench|package]...
set -euo pipefail

build_packages=(g++ cmake make ccache qt6-base-dev libxkbcommon-dev fonts-dejavu-core)
# Qt's own Russian texts for the standard dialog buttons, read at start-up.
runtime_packages=(qt6-translations-l10n)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev "${runtime_packages[@]}")
# The fuzz targets: clang with libFuzzer and the sanitizer run-times.
fuzz_packages=(clang-14 libclang-rt-14-dev)
# The layout check of the sources (scripts/check-format.sh).
format_packages=(clang-format-14 git)
# Xvfb and the screenshot tools; xdotool presses the start button for the
# screenshot; Liberation fonts have the metrics the window is laid out for.
run_packages=(xvfb xauth x11-utils imagemagick xdotool fonts-liberation2 "${runtime_packages[@]}")
# FFTW is the reference the real FFT is measured against; benchmarks only.
bench_packages=(libbenchmark-dev libfftw3-dev pkg-config)
# Building the Debian package (dpkg-shlibdeps) and checking its contents and
# its conformance to Debian's rules (lintian).
package_packages=(dpkg-dev file binutils desktop-file-utils lintian)

wanted=()
for group in "${@:-build}"; do
  case "$group" in
    build) wanted+=("${build_packages[@]}") ;;
    test) wanted+=("${build_packages[@]}" "${test_packages[@]}") ;;
    fuzz) wanted+=("${build_packages[@]}" "${fuzz_packages[@]}") ;;
    format) wanted+=("${format_packages[@]}") ;;
    run) wanted+=("${build_packages[@]}" "${run_packages[@]}") ;;
    bench) wanted+=("${build_packages[@]}" "${bench_packages[@]}") ;;
    package) wanted+=("${build_packages[@]}" "${package_packages[@]}") ;;
    *) echo "unknown package group: $group" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
  apt_get=(sudo apt-get)
else
  echo "Missing packages (${missing[*]}); run this script as root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq || true
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
