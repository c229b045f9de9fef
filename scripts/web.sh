#!/usr/bin/env bash
# Builds a game's web page: bash scripts/web.sh [GAMEDIR [OUTDIR]] writes build/web/ (or OUTDIR)
# (index.html, the engine as JavaScript and WebAssembly, the game's files),
# which any static web server serves. GAMEDIR defaults to the packed demo,
# build/demo, made by the native build when it is missing.
#
# The third-party libraries are built from Debian's own source packages
# (lua5.1, libsdl1.2, sdl-mixer1.2, libogg, libvorbis), fetched once with
# apt-get source through a private apt configuration under build/web-deps/
# (the machine's own apt set-up is not touched), and compiled once with emcc.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$root/build/web-deps
out=${2:-$root/build/web}
jobs=2

# A private apt configuration whose only sources are the deb-src twins of the
# machine's own Debian sources.
private_apt() {
  local apt=$deps/apt
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts"
  : >"$apt/sources.list"
  local found=0 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    sed 's/^Types:.*/Types: deb-src/' "$file" >"$apt/parts/$(basename "$file")"
    found=1
  done
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >>"$apt/sources.list"
    [ -s "$apt/sources.list" ] && found=1
  fi
  [ $found -eq 1 ] || { echo "web.sh: no Debian sources in /etc/apt to fetch source packages from" >&2; exit 1; }
  apt_options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
               -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
}

fetch_sources() {
  local wanted=(lua5.1 libsdl1.2 sdl-mixer1.2 libogg libvorbis) missing=() p
  for p in "${wanted[@]}"; do [ -f "$deps/src/$p.fetched" ] || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return
  private_apt
  echo "Fetching the Debian sources of ${missing[*]} ..."
  apt-get "${apt_options[@]}" update -qq
  mkdir -p "$deps/src"
  for p in "${missing[@]}"; do
    rm -rf "$deps/src/$p"
    mkdir -p "$deps/src/$p"
    (cd "$deps/src/$p" && apt-get "${apt_options[@]}" source -qq "$p" >/dev/null)
    touch "$deps/src/$p.fetched"
  done
}

# The unpacked source folder of a fetched package.
source_dir() { find "$deps/src/$1" -mindepth 1 -maxdepth 1 -type d | head -1; }


prefix=$deps/prefix
web_flags="-O2"

# Runs a third-party build step politely: the machine is shared.
polite() { nice -n 10 "$@"; }

build_lua() {
  [ -f "$prefix/lib/liblua.a" ] && return
  echo "Building Lua ..."
  local src
  src=$(source_dir lua5.1)/src
  local objects=() file
  mkdir -p "$deps/obj/lua" "$prefix/lib" "$prefix/include"
  # Debian's build writes this header; its only use is a search path for C modules.
  echo '#define DEB_HOST_MULTIARCH "wasm32-emscripten"' >"$src/lua5.1-deb-multiarch.h"
  for file in "$src"/*.c; do
    case $(basename "$file") in lua.c | luac.c | print.c) continue ;; esac
    objects+=("$deps/obj/lua/$(basename "$file" .c).o")
    polite emcc $web_flags -DLUA_USE_POSIX -c "$file" -o "${objects[-1]}"
  done
  emar rcs "$prefix/lib/liblua.a" "${objects[@]}"
  cp "$src"/lua.h "$src"/luaconf.h "$src"/lualib.h "$src"/lauxlib.h \
     "$src/lua5.1-deb-multiarch.h" "$prefix/include/"
}

build_ogg_vorbis() {
  [ -f "$prefix/lib/libvorbisfile.a" ] && return
  echo "Building Ogg and Vorbis ..."
  local ogg vorbis
  ogg=$(source_dir libogg)
  vorbis=$(source_dir libvorbis)
  (cd "$ogg" && polite emconfigure ./configure --host=wasm32-unknown-linux --prefix="$prefix" \
     --disable-shared --enable-static >"$deps/ogg-configure.log" 2>&1 &&
   polite emmake make -j$jobs install >"$deps/ogg-build.log" 2>&1)
  (cd "$vorbis" && polite emconfigure ./configure --host=wasm32-unknown-linux --prefix="$prefix" \
     --disable-shared --enable-static --disable-oggtest --disable-docs --disable-examples \
     --with-ogg="$prefix" >"$deps/vorbis-configure.log" 2>&1 &&
   polite emmake make -j$jobs -C lib install >"$deps/vorbis-build.log" 2>&1 &&
   polite emmake make install-data-am install-pkgconfigDATA >>"$deps/vorbis-build.log" 2>&1 || true)
  (cd "$vorbis" && make -C include install >>"$deps/vorbis-build.log" 2>&1)
}

build_sdl() {
  local sdl
  sdl=$(source_dir libsdl1.2)
  if [ -f "$prefix/lib/libSDL.a" ]; then
    # Built before: only a changed audio driver of ours is built again.
    cmp -s "$root/web/sdl_web_audio.c" "$sdl/src/audio/dummy/SDL_dummyaudio.c" && return
    cp "$root/web/sdl_web_audio.c" "$sdl/src/audio/dummy/SDL_dummyaudio.c"
    (cd "$sdl" && polite emmake make -j$jobs install >"$deps/sdl-build.log" 2>&1) ||
      { echo "web.sh: building SDL failed: see $deps/sdl-build.log" >&2; exit 1; }
    return
  fi
  echo "Building SDL ..."
  # SDL's dummy video driver draws into memory for the page to show; its
  # audio driver is ours (web/sdl_web_audio.c), pulled by the page.
  cp "$root/web/sdl_web_audio.c" "$sdl/src/audio/dummy/SDL_dummyaudio.c"
  (cd "$sdl" && polite emconfigure ./configure --host=i686-pc-linux-gnu --prefix="$prefix" \
     --disable-shared --enable-static --disable-threads --disable-pthreads --disable-assembly \
     --disable-loadso --disable-joystick --disable-cdrom --disable-cpuinfo --disable-oss --disable-alsa \
     --disable-esd --disable-pulseaudio --disable-arts --disable-nas --disable-diskaudio \
     --disable-video-x11 --disable-video-dga --disable-video-fbcon --disable-video-directfb \
     --disable-video-ps2gs --disable-video-ps3 --disable-video-svga --disable-video-vgl \
     --disable-video-wscons --disable-video-xbios --disable-video-gem --disable-video-opengl \
     --disable-video-photon --disable-video-cocoa --disable-nasm --disable-rpath \
     --enable-video-dummy --enable-dummyaudio CFLAGS="$web_flags" >"$deps/sdl-configure.log" 2>&1 &&
   polite emmake make -j$jobs install >"$deps/sdl-build.log" 2>&1) ||
    { echo "web.sh: building SDL failed: see $deps/sdl-*.log" >&2; exit 1; }
}

build_mixer() {
  [ -f "$prefix/lib/libSDL_mixer.a" ] && return
  echo "Building SDL_mixer ..."
  local mixer
  mixer=$(source_dir sdl-mixer1.2)
  # WAV and Ogg Vorbis (the latter linked in, from the Vorbis built above).
  (cd "$mixer" && polite emconfigure ./configure --host=i686-pc-linux-gnu --prefix="$prefix" \
     --with-sdl-prefix="$prefix" --disable-shared --enable-static --disable-sdltest \
     --disable-music-cmd --disable-music-mod --disable-music-midi --disable-music-flac --disable-music-mp3 \
     --enable-music-wave --enable-music-ogg --disable-music-ogg-shared \
     CFLAGS="$web_flags -I$prefix/include" LDFLAGS="-L$prefix/lib" >"$deps/mixer-configure.log" 2>&1 &&
   polite emmake make -j$jobs install >"$deps/mixer-build.log" 2>&1) ||
    { echo "web.sh: building SDL_mixer failed: see $deps/mixer-*.log" >&2; exit 1; }
}

build_engine() {
  echo "Building the engine for the web ..."
  # Lua has no pkg-config file of its own in its source; the engine's build looks for one.
  cat >"$prefix/lib/pkgconfig/lua5.1.pc" <<PC
Name: lua5.1
Description: Lua 5.1, built for the web
Version: 5.1.5
Libs: -L$prefix/lib -llua
Cflags: -I$prefix/include
PC
  # pkg-config must find the prefix's libraries and never the machine's own
  # (emcmake leaves pkg-config's search path as it finds it).
  PKG_CONFIG_PATH= PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig polite emcmake cmake -S "$root" -B "$root/build/web-build" \
    -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF -DPKG_CONFIG_EXECUTABLE="$(command -v pkg-config)" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_CXX_FLAGS="-fexceptions -I$prefix/include" -DCMAKE_EXE_LINKER_FLAGS="-L$prefix/lib" \
    >"$deps/engine-configure.log" 2>&1 ||
    { echo "web.sh: configuring the web build failed: see $deps/engine-configure.log" >&2; exit 1; }
  polite cmake --build "$root/build/web-build" -j$jobs --target quillon ||
    { echo "web.sh: building the engine for the web failed" >&2; exit 1; }
}

# The page: index.html, the engine, and the game's files as one package.
write_page() {
  mkdir -p "$out"
  rm -f "$out/index.html" "$out/quillon.js" "$out/quillon.wasm" "$out/game.js" "$out/game.data"
  cp "$root/web/index.html" "$out/"
  cp "$root/build/web-build/web/quillon.js" "$root/build/web-build/web/quillon.wasm" "$out/"
  (cd "$out" && python3 /usr/share/emscripten/tools/file_packager.py game.data --preload "$game@/game" \
     --js-output=game.js 2>&1 | grep -v "FORCE_FILESYSTEM" || true)
  echo "Wrote $out: serve it with any static web server, e.g."
  echo "  cd $out && python3 -m http.server 8000   (then open http://127.0.0.1:8000/)"
}

game=${1:-}
if [ -z "$game" ]; then
  game=$root/build/demo
  if [ ! -f "$game/lua.dat" ]; then
    echo "Building the native engine and the packed demo first ..."
    bash "$root/scripts/setup.sh"
    bash "$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TESTS=OFF
  fi
fi
game=$(cd "$game" && pwd)
[ -f "$game/lua.dat" ] || [ -f "$game/conf.lua" ] || [ -f "$game/init.lua" ] ||
  { echo "web.sh: $game holds no game (lua.dat, conf.lua or init.lua)" >&2; exit 2; }

bash "$root/scripts/setup.sh" --web
# Debian's emscripten finds its JavaScript modules in Debian's node folder,
# also when the node on the path is another one.
export NODE_PATH=/usr/share/nodejs
fetch_sources
build_lua
build_ogg_vorbis
build_sdl
build_mixer
build_engine
write_page
