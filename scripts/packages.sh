# The Debian 12 packages that building, running and testing the editor need. Sourced by the
# set-up scripts.
TRA1_PACKAGES=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libqt6printsupport6 libgl-dev
    xvfb xauth fonts-dejavu-core
    clang-format clang clang-tidy libclang-rt-14-dev
    help2man librsvg2-bin
    desktop-file-utils appstream shared-mime-info inotify-tools
    ser2net
)

# Installs whatever of TRA1_PACKAGES is missing. As root it runs apt-get; anyone else is told the
# exact line to run, before anything is built halfway.
tra1_install_packages() {
    local missing=()
    local pkg
    local status
    for pkg in "${TRA1_PACKAGES[@]}"; do
        # No pipe into grep -q here: under pipefail an early grep exit could count as missing.
        status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)"
        if [ "$status" != "install ok installed" ]; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing. Install them as root, then run this script again:" >&2
        # A fresh machine has no package lists yet, so the line fetches them first.
        echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
