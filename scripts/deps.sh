#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any is missing.
# Sourced by the other scripts; extra package names may be passed as arguments.
set -euo pipefail

# Every program a test runs besides the build tools: a test whose tool is
# missing fails, naming the package.
cuesmith_test_packages=(desktop-file-utils appstream libxml2-utils)

# Qt 6 beside the Qt 5 the program was made for (scripts/test.sh --qt6), with
# its Linguist tools and Qt's own translations.
cuesmith_qt6_packages=(qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools
                       qt6-translations-l10n)

cuesmith_install_deps() {
    # qttools5-dev(-tools): lrelease and lupdate for the translations;
    # qttranslations5-l10n: Qt's own texts (dialog buttons) in the user's language.
    local packages=(cmake make g++ pkg-config qtbase5-dev qtbase5-dev-tools
                    qttools5-dev qttools5-dev-tools qttranslations5-l10n
                    libhidapi-dev fonts-dejavu-core "$@")
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null; then sudo="sudo"; else
            echo "Missing packages (${missing[*]}) and not root: install them first." >&2
            return 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
