#!/usr/bin/env bash
# Builds the Debian package of Zentrix in an existing build folder and checks
# it: the files it holds, its dependencies, Debian's checker lintian (no error
# and no warning), that the program starts from the unpacked package and loads
# the device library beside itself, that the command-line tool lists the
# simulated modules, and that a user who cannot write into the
# program's folder gets a copy of the default settings.
#
# Usage: scripts/check-package.sh [--install] [build-dir]   (default: build)
#   --install   also install the package with apt-get, which installs missing
#               dependencies too (as root, only when zentrix is not installed
#               yet), start the installed program as an unprivileged user, and
#               purge the package again; the dependencies stay installed.
#               Without it the unpacked program is started as an
#               unprivileged user when the script runs as root.
#   ZENTRIX_CHECK_SECONDS=N  how long the program may take to load its
#               device library (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."

install_check=0
build_dir=build
for argument in "$@"; do
  case "$argument" in
    --install) install_check=1 ;;
    -*) echo "unknown option: $argument" >&2; exit 2 ;;
    *) build_dir=$argument ;;
  esac
done
deadline_seconds=${ZENTRIX_CHECK_SECONDS:-20}

scripts/install-deps.sh package

if [ -f "$build_dir/CMakeCache.txt" ]; then
  if grep -Eq '^ZENTRIX_(ASAN|TSAN):BOOL=ON' "$build_dir/CMakeCache.txt"; then
    echo "$build_dir is a sanitizer build; package from a plain build folder." >&2
    exit 2
  fi
else
  cmake -S . -B "$build_dir" >/dev/null
fi
# Only what the package holds; the test programs are not needed.
nice -n 10 cmake --build "$build_dir" -j2 --target Zentrix zentrix-measure Modlink zentrix-default-settings-file \
  zentrix-documentation >/dev/null

package_dir=$build_dir/package
rm -f "$package_dir"/zentrix_*.deb
if ! (cd "$build_dir" && cpack -G DEB --config CPackConfig.cmake) >"$build_dir/cpack.log" 2>&1; then
  cat "$build_dir/cpack.log" >&2
  exit 1
fi
debs=("$package_dir"/zentrix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "cpack made no package in $package_dir" >&2
  exit 1
fi
deb=$(realpath "${debs[0]}")
echo "Package: $deb"

work=$(mktemp -d)
# Readable by the unprivileged user of the installation check.
chmod 755 "$work"
program_pid=""
installed_here=0
cleanup() {
  set +e
  if [ -n "$program_pid" ]; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  if [ "$installed_here" -eq 1 ]; then
    dpkg --purge zentrix >/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

passed=0
failed=0
quietly() { "$@" >/dev/null; }
check() {  # check <description> <command...>
  local description=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $description" >&2
  fi
}

# --- Control data ---------------------------------------------------------

field() { dpkg-deb -f "$deb" "$1"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
check "package name, version and architecture" test \
  "$(field Package) $(field Version) $(field Architecture)" = "zentrix ${version}-1 $(dpkg --print-architecture)"

depends=$(field Depends)
echo "Depends: $depends"
# True when $1 is one of the packages named in Depends (alternatives included).
depends_on() { tr ',|' '\n' <<<"$depends" | awk -v name="$1" '$1 == name { found = 1 } END { exit !found }'; }
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins qt6-translations-l10n \
  fonts-liberation2; do
  check "depends on $package" depends_on "$package"
done
no_build_only_depends() { ! tr ',' '\n' <<<"$depends" | grep -Eq -- '-dev( |$)|gtest|gmock|benchmark|fftw|libasan|libtsan|libubsan'; }
check "no development or test packages among the dependencies" no_build_only_depends

dpkg-deb -e "$deb" "$work/control"
# The settings beside the program are the package's defaults, not a
# configuration file: each user's settings live in the user's home.
check "no configuration files" test ! -e "$work/control/conffiles"
# The device library lies in the program's private folder, which the dynamic
# linker never searches, so there is nothing for ldconfig to do.
no_maintainer_scripts() {
  local script
  for script in preinst postinst prerm postrm; do
    [ ! -e "$work/control/$script" ] || return 1
  done
}
check "no maintainer scripts" no_maintainer_scripts

# Debian's checker, showing its errors and warnings (its informational notes
# with lintian -I).
lintian_passes() {
  local status=0
  lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || status=$?
  # Its notice that it runs as root is no finding about the package.
  grep -v '^running with root privileges' "$work/lintian" >&2 || true
  return $status
}
check "lintian reports no error and no warning" lintian_passes

# --- Contents ---------------------------------------------------------------

# Every entry that is not a folder, with its link target.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' | sort >"$work/contents"
sort >"$work/expected" <<'EOF'
./usr/bin/Zentrix -> ../lib/zentrix/Zentrix
./usr/bin/zentrix-measure -> ../lib/zentrix/zentrix-measure
./usr/lib/zentrix/Zentrix
./usr/lib/zentrix/Zentrix.ini
./usr/lib/zentrix/libModlink.so
./usr/lib/zentrix/zentrix-measure
./usr/share/applications/zentrix.desktop
./usr/share/doc/zentrix/changelog.Debian.gz
./usr/share/doc/zentrix/copyright
./usr/share/icons/hicolor/128x128/apps/zentrix.png
./usr/share/icons/hicolor/16x16/apps/zentrix.png
./usr/share/icons/hicolor/22x22/apps/zentrix.png
./usr/share/icons/hicolor/24x24/apps/zentrix.png
./usr/share/icons/hicolor/256x256/apps/zentrix.png
./usr/share/icons/hicolor/32x32/apps/zentrix.png
./usr/share/icons/hicolor/48x48/apps/zentrix.png
./usr/share/icons/hicolor/64x64/apps/zentrix.png
./usr/share/icons/hicolor/scalable/apps/zentrix.svg
./usr/share/lintian/overrides/zentrix
./usr/share/man/man1/Zentrix.1.gz
./usr/share/man/man1/zentrix-measure.1.gz
EOF
if ! diff -u "$work/expected" "$work/contents" >"$work/contents.diff"; then
  cat "$work/contents.diff" >&2
fi
check "the package holds exactly the expected files" test ! -s "$work/contents.diff"
not_root_owned=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"' | head -3)
check "every entry is owned by root" test -z "$not_root_owned"

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/lib/zentrix/Zentrix
tool=$root/usr/lib/zentrix/zentrix-measure
library=$root/usr/lib/zentrix/libModlink.so

file_type_matches() { file -b "$1" | grep -q "$2"; }
no_run_path() { ! readelf -d "$@" | grep -Eq 'RPATH|RUNPATH'; }
check "the program is a stripped executable" file_type_matches "$program" "ELF.*executable.*, stripped"
check "the command-line tool is a stripped executable" file_type_matches "$tool" "ELF.*executable.*, stripped"
check "the device library is a stripped shared library" file_type_matches "$library" "ELF.*shared object.*, stripped"
check "the program is executable by everyone" test "$(stat -c %a "$program")" = 755
check "the command-line tool is executable by everyone" test "$(stat -c %a "$tool")" = 755
check "no run-time search path into the build folder" no_run_path "$program" "$tool" "$library"

# Each library the two files link directly must be found, and must come from
# a package the control file depends on.
libraries_come_from_depends() {
  local file=$1 needed path owner ok=0
  while read -r needed; do
    # "name => path (address)", or "path (address)" for the dynamic loader.
    path=$(ldd "$file" | awk -v lib="$needed" '
      $1 == lib && $2 == "=>" { print $3 }
      $2 != "=>" && $1 ~ ("/" lib "$") { print $1 }' | head -1)
    if [ -z "$path" ] || [ "$path" = "not" ]; then
      echo "$file: $needed is not found" >&2
      ok=1
      continue
    fi
    owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null | head -1 | cut -d: -f1) || true
    [ -n "$owner" ] || owner=$(dpkg -S "$path" 2>/dev/null | head -1 | cut -d: -f1) || true
    if ! depends_on "$owner"; then
      echo "$file: $needed ($path) belongs to '${owner:-no package}', which is not a dependency" >&2
      ok=1
    fi
  done < <(readelf -d "$file" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
  return $ok
}
check "the program's libraries come from its dependencies" libraries_come_from_depends "$program"
check "the command-line tool's libraries come from the dependencies" libraries_come_from_depends "$tool"
check "the device library's libraries come from the dependencies" libraries_come_from_depends "$library"

settings=$root/usr/lib/zentrix/Zentrix.ini
check "the settings file is readable by everyone and written by root only" \
  test "$(stat -c %a "$settings")" = 644
check "the settings file is Windows-1251 text" iconv -f CP1251 -t UTF-8 "$settings" -o /dev/null
check "the settings file holds the 6 application and 36 module entries in 3 sections" \
  test "$(grep -c '=' "$settings") $(grep -c '^\[' "$settings")" = "42 3"
check "the settings file has CRLF line ends" test "$(grep -c $'\r$' "$settings")" = "$(wc -l <"$settings")"

desktop=$root/usr/share/applications/zentrix.desktop
check "the desktop entry is valid" desktop-file-validate "$desktop"
check "the desktop entry starts Zentrix with the icon zentrix" \
  test "$(grep -E '^(Exec|Icon)=' "$desktop" | tr '\n' ' ')" = "Exec=Zentrix Icon=zentrix "
icons_match_their_size() {
  local icon size ok=0
  for icon in "$root"/usr/share/icons/hicolor/*x*/apps/zentrix.png; do
    size=$(basename "$(dirname "$(dirname "$icon")")")
    if ! file -b "$icon" | grep -q "PNG image data, ${size%x*} x ${size#*x},"; then
      echo "$icon: $(file -b "$icon")" >&2
      ok=1
    fi
  done
  return $ok
}
check "every icon has the size of its folder" icons_match_their_size

# --- Start ------------------------------------------------------------------

cat >"$work/screen.json" <<'EOF'
{ "screens": [ { "width": 1920, "height": 1080 } ] }
EOF

# Starts the program at $1 (as user $3 when given) offscreen and waits until
# the dynamic loader reports that it initialised the device library at $2.
starts_and_loads_library() {
  local launcher=$1 expected=$2 user=${3:-} log_dir=$work/ld-$RANDOM start
  mkdir -p "$log_dir" "$work/home"
  chmod 777 "$log_dir" "$work/home"
  local command=(env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
    QT_QPA_PLATFORM="offscreen:configfile=$work/screen.json" LD_DEBUG=files LD_DEBUG_OUTPUT="$log_dir/ld" "$launcher")
  if [ -n "$user" ]; then
    command=(runuser -u "$user" -- "${command[@]}")
  fi
  "${command[@]}" >"$log_dir/output" 2>&1 &
  program_pid=$!
  start=$SECONDS
  local loaded=""
  while [ $((SECONDS - start)) -lt "$deadline_seconds" ]; do
    loaded=$(cat "$log_dir"/ld.* 2>/dev/null | sed -n 's/.*calling init: \(.*libModlink\.so\)$/\1/p' | head -1)
    [ -n "$loaded" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.2
  done
  local running=0
  kill -0 "$program_pid" 2>/dev/null && running=1
  kill "$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
  program_pid=""
  if [ "$running" -ne 1 ]; then
    echo "$launcher ended by itself:" >&2
    grep -v '^$' "$log_dir/output" | head -20 >&2
    return 1
  fi
  if [ -z "$loaded" ]; then
    echo "$launcher did not load libModlink.so within $deadline_seconds s" >&2
    return 1
  fi
  if [ "$(realpath "$loaded")" != "$(realpath "$expected")" ]; then
    echo "$launcher loaded $loaded instead of $expected" >&2
    return 1
  fi
}
user_settings=$work/home/.config/zentrix/Zentrix.ini
# True when the user's settings file is a copy of the defaults at $1.
user_got_the_defaults() { cmp -s "$1" "$user_settings"; }

check "the unpacked program starts through bin/Zentrix and loads the library beside it" \
  starts_and_loads_library "$root/usr/bin/Zentrix" "$library"
# The tool loads the library beside itself through its link and lists the
# simulated modules (a bench of the default modules that keeps no state).
tool_lists_modules() {
  printf '[bus]\nstate = none\n' >"$work/bench.ini"
  local listed
  listed=$(env HOME="$work/home" MODLINK_SIM="$work/bench.ini" "$root/usr/bin/zentrix-measure" --list) || return 1
  [ "$(head -1 <<<"$listed")" = "slot,serial,revision,firmware,usb_speed" ] && [ "$(wc -l <<<"$listed")" -eq 3 ]
}
check "the unpacked command-line tool lists the simulated modules through bin/zentrix-measure" tool_lists_modules
if [ "$install_check" -eq 0 ] && [ "$(id -u)" -eq 0 ]; then
  # The unpacked tree belongs to root: for another user the program's folder
  # is read-only, as in an installation. A comment marks these defaults apart
  # from the ones the program itself would write.
  printf '; the defaults of this installation\r\n' >>"$settings"
  rm -rf "$work/home/.config"
  check "the unpacked program starts for a normal user" \
    starts_and_loads_library "$root/usr/bin/Zentrix" "$library" nobody
  check "that user's settings start as a copy of the defaults beside the program" \
    user_got_the_defaults "$settings"
fi

# --- Installation (optional) -------------------------------------------------

if [ "$install_check" -eq 1 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "--install needs root" >&2
    failed=$((failed + 1))
  elif dpkg-query -W -f='${Status}' zentrix 2>/dev/null | grep -q "ok installed"; then
    echo "zentrix is installed already; not touching it" >&2
    failed=$((failed + 1))
  else
    installed_here=1
    check "the package installs with its dependencies" \
      quietly env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb"
    rm -rf "$work/home/.config"
    check "the installed program starts for a normal user and loads /usr/lib/zentrix/libModlink.so" \
      starts_and_loads_library /usr/bin/Zentrix /usr/lib/zentrix/libModlink.so nobody
    check "that user's settings start as a copy of /usr/lib/zentrix/Zentrix.ini" \
      user_got_the_defaults /usr/lib/zentrix/Zentrix.ini
    check "dpkg purges the package" quietly dpkg --purge zentrix
    installed_here=0
    check "nothing is left behind" bash -c '! test -e /usr/lib/zentrix && ! test -e /etc/zentrix && ! test -L /usr/bin/Zentrix'
  fi
fi

echo "package check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
