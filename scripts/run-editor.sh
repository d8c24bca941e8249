#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it with the script's arguments (for
# example --port COM2=socket://127.0.0.1:4001). Unless COM1 has been pointed at a real port
# (TRA1_COM1=/dev/ttyUSB0, say), the virtual receiver is started on a pseudo-terminal and COM1 is
# mapped to it, so that "Connect" finds a TR-A1 there.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
tra1_install_packages

build_dir="${TRA1_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRA1_BUILD_TESTS=OFF \
    -DTRA1_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "$(nproc)"

sim_pid=""
cleanup() {
    if [ -n "$sim_pid" ]; then
        kill "$sim_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

if [ -z "${TRA1_COM1:-}" ]; then
    if [ ! -x "$build_dir/programs/tr-a1-sim" ]; then
        echo "The virtual receiver $build_dir/programs/tr-a1-sim was not built." >&2
        exit 1
    fi
    link_path="${XDG_RUNTIME_DIR:-/tmp}/tr-a1-sim-com1"
    "$build_dir/programs/tr-a1-sim" --link "$link_path" &
    sim_pid=$!
    for _ in $(seq 1 50); do
        [ -e "$link_path" ] && break
        sleep 0.1
    done
    if [ ! -e "$link_path" ]; then
        echo "The virtual receiver did not start." >&2
        exit 1
    fi
    export TRA1_COM1="$link_path"
    echo "Virtual TR-A1 receiver on $link_path (COM1)"
fi

if [ ! -x "$build_dir/programs/tr-a1-editor" ]; then
    echo "The editor program is not built yet; it will start from $build_dir/programs/tr-a1-editor"
    exit 0
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the editor under Xvfb."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build_dir/programs/tr-a1-editor" "$@"
    exit $?
fi
"$build_dir/programs/tr-a1-editor" "$@"
