#!/usr/bin/env bash
# Builds the libraries the Windows game needs from Debian's source packages, statically, with
# the mingw-w64 cross compiler, into PREFIX: zlib, libpng, SDL2, SDL2_mixer (MP3 through its
# own dr_mp3), SQLite, libsodium and Google Test; Boost's headers are Debian's own, linked in,
# and of Boost's compiled libraries only Boost.Locale's message catalogues.
# Only what the game uses is built: no shared libraries, programs, tests or documentation, and
# SDL without the subsystems the game never starts (joystick, haptic, sensors, power, ...).
# The six independent chains (zlib and libpng, SDL and SDL_mixer, SQLite, libsodium, Google
# Test, Boost.Locale) build side by side: each has long stretches on one processor or on none
# (a configure script, the one-file SQLite, a download) that the others fill. Optimised with -O2, not CMake's -O3 for Release, which
# costs a third more compile time for nothing the game would notice.
# Called by scripts/windows.sh with the unpacked sources in SOURCES:
#   windows-libs.sh PREFIX SOURCES
# A change to this file makes scripts/windows.sh build the libraries again.
set -euo pipefail
prefix=$1
sources=$2
triple=x86_64-w64-mingw32
toolchain=$(cd "$(dirname "$0")/.." && pwd)/packaging/windows/toolchain.cmake
jobs=$(nproc)
export QZ_WINDOWS_PREFIX=$prefix
export CC=$triple-gcc-posix CXX=$triple-g++-posix AR=$triple-gcc-ar-posix RANLIB=$triple-gcc-ranlib-posix
export CFLAGS="-O2" CXXFLAGS="-O2"
# The project's compiler cache serves the libraries' CMake builds too (CMake reads these).
unset CMAKE_GENERATOR
command -v ninja >/dev/null 2>&1 && export CMAKE_GENERATOR=Ninja

src() { echo "$sources/$1"; }

cmake_lib() {
  local dir=$1
  shift
  cmake -S "$dir" -B "$dir/build-windows" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF -DCMAKE_C_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "$@" >/dev/null
  cmake --build "$dir/build-windows" -j"$jobs" >/dev/null
  cmake --install "$dir/build-windows" >/dev/null
}

mkdir -p "$prefix/include" "$prefix/lib/pkgconfig"

zlib_and_libpng() {
  # zlib: its library sources compiled directly (Debian's source leaves out the Windows makefiles).
  z=$(src zlib)
  zsources=(adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees uncompr zutil)
  printf '%s\n' "${zsources[@]}" | xargs -P "$jobs" -I{} $CC $CFLAGS -c "$z/{}.c" -o "$z/{}.o"
  rm -f "$prefix/lib/libz.a"
  $AR rcs "$prefix/lib/libz.a" $(printf "$z/%s.o " "${zsources[@]}")
  cp "$z/zlib.h" "$z/zconf.h" "$prefix/include/"
  zversion=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$z/zlib.h")
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: zlib\nDescription: zlib compression library\nVersion: %s\nLibs: -L${libdir} -lz\nCflags: -I${includedir}\n' \
    "$prefix" "$zversion" >"$prefix/lib/pkgconfig/zlib.pc"

  cmake_lib "$(src libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
    -Dld-version-script=OFF -DZLIB_ROOT="$prefix"
}

sdl_and_mixer() {
  # SDL2: video (the window, the renderer), audio, events, timers, threads; nothing else.
  cmake_lib "$(src libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF \
    -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF -DSDL_POWER=OFF -DSDL_MISC=OFF \
    -DSDL_VULKAN=OFF -DSDL_OPENGLES=OFF -DSDL_XINPUT=OFF -DSDL_DISKAUDIO=OFF -DSDL_OFFSCREEN=OFF -DSDL_CCACHE=OFF \
    -DSDL2_DISABLE_UNINSTALL=ON

  # SDL2_mixer: MP3 through the bundled dr_mp3, every other format off.
  cmake_lib "$(src libsdl2-mixer)" -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_SAMPLES=OFF -DSDL2MIXER_DEPS_SHARED=OFF \
    -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_MOD=OFF -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_OPUS=OFF \
    -DSDL2MIXER_VORBIS=OFF -DSDL2MIXER_WAVE=ON -DSDL2MIXER_MP3=ON -DSDL2MIXER_MP3_DRMP3=ON \
    -DSDL2MIXER_MP3_MPG123=OFF -DSDL2_DIR="$prefix/lib/cmake/SDL2"
  # Its CMake build installs no pkg-config file on Windows; the game looks for one.
  mversion=$(awk '/^#define SDL_MIXER_(MAJOR_VERSION|MINOR_VERSION|PATCHLEVEL)/ { print $3 }' \
    "$(src libsdl2-mixer)/include/SDL_mixer.h" | paste -sd.)
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: SDL2_mixer\nDescription: mixer library for SDL\nVersion: %s\nRequires: sdl2\nLibs: -L${libdir} -lSDL2_mixer\nCflags: -I${includedir}/SDL2\n' \
    "$prefix" "$mversion" >"$prefix/lib/pkgconfig/SDL2_mixer.pc"
}

sqlite() {
  # SQLite: the build machine's tools make the one-file amalgamation, which is then compiled for
  # Windows with the options Debian's own build of the library uses that matter to the server.
  s=$(src sqlite3)
  mkdir -p "$s/build-native"
  (cd "$s/build-native" && CC=gcc CFLAGS=-O1 AR=ar RANLIB=ranlib ../configure --disable-tcl --disable-readline >/dev/null &&
    make sqlite3.c sqlite3.h >/dev/null)
  $CC $CFLAGS -DSQLITE_THREADSAFE=1 -DSQLITE_MAX_DEFAULT_PAGE_SIZE=32768 -c "$s/build-native/sqlite3.c" -o "$s/build-native/sqlite3.o"
  rm -f "$prefix/lib/libsqlite3.a"
  $AR rcs "$prefix/lib/libsqlite3.a" "$s/build-native/sqlite3.o"
  cp "$s/build-native/sqlite3.h" "$s/src/sqlite3ext.h" "$prefix/include/" 2>/dev/null ||
    cp "$s/build-native/sqlite3.h" "$prefix/include/"
  sversion=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$s/build-native/sqlite3.h")
  printf 'prefix=%s\nlibdir=${prefix}/lib\nincludedir=${prefix}/include\n\nName: SQLite\nDescription: SQL database engine\nVersion: %s\nLibs: -L${libdir} -lsqlite3\nCflags: -I${includedir}\n' \
    "$prefix" "$sversion" >"$prefix/lib/pkgconfig/sqlite3.pc"
}

sodium() {
  # libsodium: the library alone (its tests and programs are never made), and of it only what
  # the minimal build has: the server needs Argon2, random bytes and Base64, all in it. Debian's
  # source is the release with its configure script; only a source without one needs autoreconf.
  n=$(src libsodium)
  (cd "$n" && { [ -x configure ] || autoreconf -fi >/dev/null 2>&1; } &&
    ./configure --host=$triple --prefix="$prefix" --disable-shared --enable-static --disable-pie \
    --enable-minimal --disable-dependency-tracking >/dev/null &&
    make -C src/libsodium -j"$jobs" >/dev/null && make -C src/libsodium install >/dev/null &&
    cp libsodium.pc "$prefix/lib/pkgconfig/")
}

googletest() {
  # Google Test for the test programs (they use no Google Mock).
  cmake_lib "$(src googletest)" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_disable_pthreads=OFF
}

# Boost.Asio and Boost.Beast are headers only: Debian's, as installed.
ln -sfn /usr/include/boost "$prefix/include/boost"

# Boost.Locale's gettext backend, which reads the game's translations: from Debian's boost
# source package of the installed headers' version, only the folders the message catalogue
# needs are unpacked (a few hundred KiB of a 60 MB tarball) and compiled against those headers.
# Text conversion goes through Windows' own code pages: no ICU, no iconv.
boost_locale() {
  local headers pkg version dir tarball src part pids=()
  headers=$(dpkg -S /usr/include/boost/version.hpp | cut -d: -f1)
  read -r pkg version < <(dpkg-query -W -f='${source:Package} ${source:Version}\n' "$headers")
  dir="$sources/boost-locale"
  mkdir -p "$dir"
  # An archive that no longer serves the installed version's files offers the current ones.
  (cd "$dir" && { apt-get source --download-only -qq "$pkg=$version" || apt-get source --download-only -qq "$pkg"; } \
    >/dev/null 2>&1)
  tarball=$(find "$dir" -maxdepth 1 -name '*.orig.tar.*' | sed -n 1p)
  if [ -z "$tarball" ]; then
    echo "Cannot fetch the source package $pkg" >&2
    exit 3
  fi
  tar -xf "$tarball" -C "$dir" --wildcards '*/libs/locale/src/shared' '*/libs/locale/src/encoding'
  src=$(find "$dir" -mindepth 4 -maxdepth 4 -type d -path '*/libs/locale/src' | sed -n 1p)
  # Boost 1.74 still derives from std::unary_function, which C++17 deprecates.
  for part in shared/message shared/mo_lambda shared/ids encoding/codepage; do
    $CXX $CXXFLAGS -Wno-deprecated-declarations -I"$prefix/include" -c "$src/$part.cpp" -o "$dir/${part//\//_}.o" &
    pids+=($!)
  done
  for part in "${pids[@]}"; do wait "$part"; done
  rm -f "$prefix/lib/libboost_locale.a"
  $AR rcs "$prefix/lib/libboost_locale.a" "$dir"/*.o
}

# Each chain in the background with its output in a log; a failed one shows its log.
chains=(zlib_and_libpng sdl_and_mixer sqlite sodium googletest boost_locale)
declare -A pids
for c in "${chains[@]}"; do
  ("$c") >"$sources/$c.log" 2>&1 &
  pids[$c]=$!
done
# Exit code 3 (a source package that cannot be had) wins over a failed build.
failed=0
for c in "${chains[@]}"; do
  status=0
  wait "${pids[$c]}" || status=$?
  [ "$status" -eq 0 ] && continue
  echo "Building $c for Windows failed:" >&2
  tail -n 40 "$sources/$c.log" >&2
  if [ "$status" -eq 3 ] || [ "$failed" -eq 0 ]; then failed=$status; fi
done
exit "$failed"

