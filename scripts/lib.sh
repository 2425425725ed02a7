# Shared by scripts/run and scripts/test: paths, the build, the private Wine prefix and a virtual display.
# shellcheck shell=bash

VEXA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VEXA_BUILD=${VEXA_BUILD:-$VEXA_ROOT/build}

export WINEPREFIX=$VEXA_BUILD/wine
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
export LANG=C.UTF-8

vexa_build() {
  local jobs
  jobs=$(nproc)
  if [ ! -f "$VEXA_BUILD/CMakeCache.txt" ]; then
    cmake -S "$VEXA_ROOT" -B "$VEXA_BUILD" -DCMAKE_TOOLCHAIN_FILE="$VEXA_ROOT/cmake/mingw-i686.cmake" >/dev/null
  fi
  # VEXA_TARGETS (blank-separated) limits the build to those targets.
  local targets=()
  [ -n "${VEXA_TARGETS:-}" ] && read -r -a targets <<<"--target $VEXA_TARGETS"
  cmake --build "$VEXA_BUILD" -j "$jobs" "${targets[@]}"
}

# The builder of an earlier commit, for the benchmarks that compare with it: make_databases built
# from that commit's sources into <folder>/build/bin, the first time only (<folder>/src holds them).
vexa_builder_of() {
  local commit=$1 folder=$2
  [ -f "$folder/build/bin/make_databases.exe" ] && return 0
  rm -rf "$folder/src" "$folder/build"
  mkdir -p "$folder/src"
  git -C "$VEXA_ROOT" archive "$commit" | tar -x -C "$folder/src"
  cmake -S "$folder/src" -B "$folder/build" -DCMAKE_TOOLCHAIN_FILE="$folder/src/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$folder/build" -j "$(nproc)" --target make_databases >/dev/null
}

# The two databases beside the program in build/bin/oracle: dat.vex from the installed
# dictionaries (again when the builder is newer than it), lang.vex with its defaults only when
# missing, since it holds the user's settings. Needs make_databases built.
vexa_databases() {
  local bin=$VEXA_BUILD/bin
  if [ ! -f "$bin/oracle/dat.vex" ] || [ ! -f "$bin/oracle/lang.vex" ] || [ "$bin/make_databases.exe" -nt "$bin/oracle/dat.vex" ]; then
    vexa_prefix
    mkdir -p "$bin/oracle"
    wine "$bin/make_databases.exe" "$(winepath -w /usr/share/dictd 2>/dev/null)" "$(winepath -w "$bin/oracle" 2>/dev/null)" </dev/null
    # Its server must end before a run with another display uses the prefix.
    wineserver -w
  fi
}

# Bump when the recipe below changes, so existing prefixes are made again.
VEXA_PREFIX_RECIPE=11

# vexa_font_script WHAT SCRIPT OUT... -- ARGS...: runs a fontforge script of scripts/ with ARGS and
# fails, showing its output and saying that WHAT could not be built, unless it writes every file OUT.
vexa_font_script() {
  local what=$1 script=$2 log f outs=() built=1
  shift 2
  while [ "$1" != -- ]; do
    outs+=("$1")
    shift
  done
  shift
  log=$(mktemp)
  fontforge -lang=py -script "$VEXA_ROOT/scripts/$script" "$@" >"$log" 2>&1 || built=
  for f in "${outs[@]}"; do
    [ -s "$f" ] || { echo "$f was not written" >>"$log" && built=; }
  done
  [ -n "$built" ] || cat "$log" >&2
  rm -f "$log"
  [ -n "$built" ] || { echo "$what could not be built" >&2 && return 1; }
}

# Writes a regular Tahoma that spaces every letter of the four alphabets evenly and measures it as it
# draws it (scripts/regular-tahoma.py says how).
vexa_regular_tahoma() {
  local out=$1
  vexa_font_script "The regular Tahoma" regular-tahoma.py "$out" -- /usr/share/wine/fonts/tahoma.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$out"
}

# Writes a bold Tahoma, from the regular one written above, that draws every letter the captions show
# (scripts/bold-tahoma.py says how).
vexa_bold_tahoma() {
  local regular=$1 out=$2
  vexa_font_script "The bold Tahoma" bold-tahoma.py "$out" -- "$regular" /usr/share/wine/fonts/tahomabd.ttf \
    /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf "$out"
}

# Writes the family that draws the lists' Times New Roman into a folder (scripts/list-serif.py says
# why and how).
vexa_list_serif() {
  local out=$1 style faces=()
  for style in Regular Bold Italic BoldItalic; do faces+=("$out/VexaSerif-$style.ttf"); done
  vexa_font_script "The lists' serif family" list-serif.py "${faces[@]}" -- \
    /usr/share/fonts/truetype/liberation /usr/share/fonts/truetype/liberation2 "$out"
}

vexa_prefix() {
  local stamp=$WINEPREFIX/.vexa-prefix
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$VEXA_PREFIX_RECIPE" ]; then
    return 0
  fi
  echo "Preparing the Wine prefix in $WINEPREFIX" >&2
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w

  # Wine's own fonts carry the Azerbaijani and Turkish letters; its bitmap MS Sans Serif does not,
  # so that face is left out and replaced below. Wine's regular Tahoma spaces some of those letters
  # apart and lacks the schwa, so the regular face is built here with them; it stays linked to DejaVu
  # Sans for what it still lacks, a link Wine follows only from the regular face. Neither Wine's bold
  # face nor the one Wine makes up draws every letter whole, so the bold face is built here too, from
  # the regular one. The lists' Times New Roman is drawn in a family built here, since Liberation
  # Serif 2 draws some stems thick.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts f
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    case $(basename "$f") in
      sserif*.fon | ssee*.fon | ssef*.fon | ms_sans_serif.ttf | tahoma.ttf | tahomabd.ttf) ;;
      *) cp -f "$f" "$fonts/" ;;
    esac
  done
  vexa_regular_tahoma "$fonts/tahoma.ttf" || return 1
  vexa_bold_tahoma "$fonts/tahoma.ttf" "$fonts/tahomabd.ttf" || return 1
  vexa_list_serif "$fonts" || return 1

  local rep='HKCU\Software\Wine\Fonts\Replacements'
  wine reg add "$rep" /v "MS Sans Serif" /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
  wine reg add "$rep" /v "Verdana" /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
  wine reg add "$rep" /v "Times New Roman" /t REG_SZ /d "Vexa Serif" /f >/dev/null 2>&1
  wine reg add "$rep" /v "Arial" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
  wine reg add "$rep" /v "Courier New" /t REG_SZ /d "Liberation Mono" /f >/dev/null 2>&1
  # The link is checked on disk, since a write made while wineboot is still settling can be lost.
  local try
  for try in 1 2 3; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
      /t REG_MULTI_SZ /d "DejaVuSans.ttf,DejaVu Sans" /f >/dev/null 2>&1
    wineserver -w
    grep -q '^"Tahoma"=str(7):"DejaVuSans.ttf,DejaVu Sans' "$WINEPREFIX/system.reg" && break
  done
  if ! grep -q '^"Tahoma"=str(7):"DejaVuSans.ttf,DejaVu Sans' "$WINEPREFIX/system.reg" ||
    ! grep -q '^"MS Sans Serif"="DejaVu Sans"' "$WINEPREFIX/user.reg" ||
    ! grep -q '^"Times New Roman"="Vexa Serif"' "$WINEPREFIX/user.reg"; then
    echo "The font settings did not reach the Wine prefix" >&2
    return 1
  fi
  echo "$VEXA_PREFIX_RECIPE" >"$stamp"
}

# vexa_managed Y|N: whether the display's window manager handles Wine's windows. On the virtual
# display there is none, and Wine draws the frames itself (N): a managed window that was once
# active would make every hide or destroy wait two seconds. On a desktop the manager handles them.
vexa_managed() {
  if ! grep -q "^\"Managed\"=\"$1\"" "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Starts Xvfb on a display it picks itself; sets VEXA_XVFB_NUMBER and VEXA_XVFB_STARTED (its process).
vexa_xvfb() {
  local numfile i
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  VEXA_XVFB_STARTED=$!
  for i in $(seq 1 100); do
    [ -s "$numfile" ] && break
    sleep 0.1
  done
  VEXA_XVFB_NUMBER=$(tr -dc 0-9 <"$numfile")
  rm -f "$numfile"
  if [ -z "$VEXA_XVFB_NUMBER" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
}

# Starts Xvfb on a display it picks itself and exports DISPLAY; the display ends with the calling shell.
vexa_display() {
  trap 'vexa_display_end' EXIT
  vexa_xvfb || return 1
  VEXA_XVFB_PID=$VEXA_XVFB_STARTED
  export DISPLAY=:$VEXA_XVFB_NUMBER
}

vexa_display_end() {
  vexa_lanes_end
  vexa_server_end
  [ -n "${VEXA_XVFB_PID:-}" ] && kill "$VEXA_XVFB_PID" >/dev/null 2>&1 || true
}

# Starts a persistent Wine server for the prefix, which makes each Wine start cheap. A server that
# already runs there belongs to another run (or was left behind by one that was killed): it is not
# ours to stop, and its programs may use another display, so the run ends saying what to do.
vexa_server() {
  if wineserver -p >/dev/null 2>&1; then
    wine cmd /c exit >/dev/null 2>&1 || true
    vexa_keep_desktop
    return 0
  fi
  VEXA_FOREIGN_SERVER=1
  cat >&2 <<EOF
A Wine server is already running for the prefix $WINEPREFIX
(another scripts/test or scripts/run is using it, or one was stopped without ending its server).
Wait for that run to finish, or end the server with:
  WINEPREFIX=$WINEPREFIX wineserver -k
and start again.
EOF
  return 1
}

# Wine ends a prefix's desktop process a second after the last program on the desktop ends, and the
# next program starts a new one, which inherits that program's error output: ctest, which reads it,
# then waits for the desktop to end as well, more than a second a test. desktop_keeper (when built)
# starts the desktop itself and stays on it while this shell holds its input open (VEXA_KEEPER_FD;
# closing it lets the desktop end); the server's end ends it too.
vexa_keep_desktop() {
  local keeper=$VEXA_BUILD/bin/desktop_keeper.exe ready fd i
  [ -f "$keeper" ] || return 0
  ready=$(mktemp -u)
  exec {fd}> >(exec wine "$keeper" "Z:${ready//\//\\}" >/dev/null 2>&1)
  VEXA_KEEPER_FD=$fd
  for i in $(seq 1 300); do
    [ -e "$ready" ] && break
    sleep 0.1
  done
  rm -f "$ready"
}

# Ends the prefix's server (and the programs still running on it) unless it is another run's.
vexa_server_end() {
  [ -n "${VEXA_FOREIGN_SERVER:-}" ] || wineserver -k >/dev/null 2>&1 || true
}

# Lanes in which scripts/test runs tests side by side, one test a lane at a time. Lane 0 is the
# prefix and display above; every further lane is a copy of the prefix (build/lanes/<n>, made again
# whenever the prefix is made again) with its own virtual display and Wine server, so that tests in
# different lanes share no screen, pointer, focus, tray, capture or temporary folder. Exports
# VEXA_LANE_<n>_PREFIX and VEXA_LANE_<n>_DISPLAY, which tests/wine_lane.sh reads, and
# VEXA_LANES_SPEC, the resource file from which ctest hands the lanes out. Needs vexa_display and
# vexa_server first.
vexa_lanes() {
  local count=$1 n dir stamp display starting=()
  local root=$VEXA_BUILD/lanes
  mkdir -p "$root"
  export VEXA_LANE_0_PREFIX=$WINEPREFIX VEXA_LANE_0_DISPLAY=$DISPLAY
  stamp="$(cat "$WINEPREFIX/.vexa-prefix") $(stat -c %Y "$WINEPREFIX/.vexa-prefix")"
  for ((n = 1; n < count; n++)); do
    dir=$root/$n
    # A server left running by an interrupted run; no other run uses the lanes while it holds lane 0.
    WINEPREFIX=$dir wineserver -k >/dev/null 2>&1 || true
    if [ "$(cat "$dir/.vexa-lane" 2>/dev/null)" != "$stamp" ]; then
      rm -rf "$dir"
      # Not the file naming the server's folder: the copy gets a server of its own.
      mkdir -p "$dir"
      (cd "$WINEPREFIX" && find . -mindepth 1 -maxdepth 1 ! -name wineserver -exec cp -a {} "$dir/" \;)
      echo "$stamp" >"$dir/.vexa-lane"
    fi
    vexa_xvfb || return 1
    VEXA_LANE_XVFB+=("$VEXA_XVFB_STARTED")
    VEXA_LANE_PREFIXES+=("$dir")
    export "VEXA_LANE_${n}_PREFIX=$dir" "VEXA_LANE_${n}_DISPLAY=:$VEXA_XVFB_NUMBER"
    (
      export WINEPREFIX=$dir DISPLAY=:$VEXA_XVFB_NUMBER
      wineserver -p >/dev/null 2>&1 && wine cmd /c exit >/dev/null 2>&1
    ) &
    starting+=($!)
  done
  [ ${#starting[@]} -eq 0 ] || wait "${starting[@]}"
  for ((n = 1; n < count; n++)); do
    display=VEXA_LANE_${n}_DISPLAY
    WINEPREFIX=$root/$n DISPLAY=${!display} vexa_keep_desktop
  done
  export VEXA_LANES_SPEC=$root/resources.json
  local ids='{"id": "0", "slots": 1}'
  for ((n = 1; n < count; n++)); do ids+=", {\"id\": \"$n\", \"slots\": 1}"; done
  echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"lanes\": [$ids]}]}" >"$VEXA_LANES_SPEC"
}

# Ends the lanes' servers (and their programs) and displays.
vexa_lanes_end() {
  local dir pid
  for dir in "${VEXA_LANE_PREFIXES[@]}"; do WINEPREFIX=$dir wineserver -k >/dev/null 2>&1 || true; done
  for pid in "${VEXA_LANE_XVFB[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
  VEXA_LANE_PREFIXES=()
  VEXA_LANE_XVFB=()
}

# Fails, naming the file and line, when a source includes a layer it must not see or is not formatted
# as .clang-format says. Runs on the tracked sources, before the build.
vexa_check_sources() {
  local root=$VEXA_ROOT
  local files
  files=$(cd "$root" && git ls-files '*.cpp' '*.h')
  [ -n "$files" ] || return 0

  # Which of our folders a folder's sources may include ("any" for no limit).
  local bad
  bad=$(cd "$root" && echo "$files" | xargs grep -Hn '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' | awk -F: '
    function allowed(src, inc) {
      if (src ~ /^platform\/core\//) return inc ~ /^platform\/core\//
      if (src ~ /^platform\/(data|hook)\//) {
        split(src, p, "/")
        return inc ~ /^platform\/core\// || index(inc, "platform/" p[2] "/") == 1
      }
      if (src ~ /^platform\//) return inc !~ /^(widgets|app|tools)\//
      if (src ~ /^widgets\//) {
        if (inc ~ /^(app|tools)\//) return 0
        if (inc !~ /^widgets\//) return 1
        # A control folder sees itself and widgets/shared; the captioned controls also see the about
        # box, which is made of labels.
        split(src, p, "/")
        if (index(inc, "widgets/" p[2] "/") == 1 || inc ~ /^widgets\/shared\//) return 1
        return p[2] ~ /^(frame|caption_button|menu)$/ && inc == "widgets/label/about_box.h"
      }
      if (src ~ /^tools\//) return inc ~ /^(platform|tools)\// || inc ~ /^app\/[^\/]+\.h$/
      return 1
    }
    {
      line = $0
      sub(/^[^:]*:[^:]*:/, "", line)
      if (match(line, /"[^"]+"/) == 0) next
      inc = substr(line, RSTART + 1, RLENGTH - 2)
      # Only paths into our own tree are judged; a file next to the source is the same folder.
      if (inc !~ /^(platform|widgets|app|tools|tests|bench)\//) next
      if (!allowed($1, inc)) printf "%s:%s: includes \"%s\", which its layer must not use\n", $1, $2, inc
    }')
  if [ -n "$bad" ]; then
    echo "$bad" >&2
    echo "Include direction check failed: platform never includes widgets or app; platform/core only itself;" >&2
    echo "platform/data and platform/hook only core and themselves; widgets never app; widgets/shared only" >&2
    echo "itself; a control's folder only itself and widgets/shared (frame, caption_button and menu also" >&2
    echo "widgets/label/about_box.h); tools only platform, tools and the headers of app." >&2
    return 1
  fi

  local unformatted
  unformatted=$(cd "$root" && echo "$files" | xargs clang-format --dry-run -Werror 2>&1 | grep ': error:' || true)
  if [ -n "$unformatted" ]; then
    echo "$unformatted" | sed 's/: error: .*/: not formatted as .clang-format says (clang-format -i fixes it)/' >&2
    echo "Format check failed." >&2
    return 1
  fi
}
