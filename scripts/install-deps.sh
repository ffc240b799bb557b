#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the benchmarks and the fuzz targets need.
# Idempotent: packages already present are left alone and apt is only asked when something is missing.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build ccache pkg-config make
    clang libclang-rt-14-dev
    # tests and benchmarks
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    # platform layer
    qt6-base-dev libicu-dev libuchardet-dev
    # media layer (GStreamer) and the tool that generates its test media
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    # compound files (graph files, per-disc storage) and the gsf program that checks them in tests
    libgsf-1-dev libgsf-bin
    # DVD navigation and the tools that author the test disc
    libdvdnav-dev libdvdread-dev dvdauthor genisoimage
    # the system's own dependencies: zip archives and JPEG pictures
    zlib1g-dev libminizip-dev libjpeg-dev
    # archive checkers used by the zip tests
    unzip zip python3
    # the XML checker of the language-template tests and the file-association reader of the shell tests
    libxml2-utils xdg-utils
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-bad
    gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-tools ffmpeg
    # peers for benchmarks only (never linked into the product)
    libxml2-dev libpugixml-dev libass-dev
    # sox, the peer of the wave reader benchmark
    sox
    # gst-play-1.0, whose start the player's start-up benchmark compares with, and its X11 video sink
    # for the playback benchmark's first frame on screen
    gstreamer1.0-plugins-base-apps gstreamer1.0-x
    # fonts for text drawing tests
    fonts-dejavu-core
    # display modes on X11, and an X server for their tests
    libxrandr-dev xvfb
    # screenshots of real windows under the X server (import), a light window manager and the
    # input tool for trials of the programs under Xvfb
    imagemagick openbox xdotool
    # archive checks of saved profiles in the editor's tests
    unzip
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
