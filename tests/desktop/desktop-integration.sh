#!/usr/bin/env bash
# Checks what the desktop sees of HARUKAZE.
#   desktop-integration.sh validate SOURCE_DIR
#       the .desktop entry and the AppStream metainfo pass the freedesktop validators.
#   desktop-integration.sh install BUILD_DIR
#       `cmake --install` into a temporary prefix gives working launchers, and once the MIME and
#       desktop databases there are refreshed, a .HRZ file is a HARUKAZE plan that opens with HARUKAZE.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

validate() {
    local source_dir=$1
    desktop-file-validate "$source_dir/data/harukaze.desktop" || fail "desktop-file-validate"
    appstreamcli validate --no-net "$source_dir/data/jp.example.harukaze.metainfo.xml" \
        || fail "appstreamcli validate"
    # The entry opens plan files, and the metainfo says it provides their type.
    grep -qx 'MimeType=application/x-harukaze-plan;' "$source_dir/data/harukaze.desktop" \
        || fail "the desktop entry does not list the plan type"
    grep -q '<mediatype>application/x-harukaze-plan</mediatype>' \
        "$source_dir/data/jp.example.harukaze.metainfo.xml" || fail "the metainfo does not provide the plan type"
}

install_check() {
    local build_dir=$1
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    local prefix=$work/prefix
    cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "cmake --install"

    local share=$prefix/share
    for file in applications/harukaze.desktop mime/packages/harukaze-mime.xml \
        metainfo/jp.example.harukaze.metainfo.xml icons/hicolor/scalable/apps/harukaze.svg \
        icons/hicolor/48x48/apps/harukaze.png; do
        [[ -f $share/$file ]] || fail "not installed: share/$file"
    done

    # The launchers in bin/ reach the programs in their own folder.
    "$prefix/bin/harukaze-csv" --help >"$work/csv-help.txt" || fail "bin/harukaze-csv --help"
    grep -q 'harukaze-csv' "$work/csv-help.txt" || fail "bin/harukaze-csv did not run harukaze-csv"
    "$prefix/bin/harukaze" --version >"$work/version.txt" || fail "bin/harukaze --version"
    grep -q 'HARUKAZE' "$work/version.txt" || fail "bin/harukaze did not run harukaze"

    XDG_DATA_DIRS="$share:/usr/share" update-mime-database "$share/mime" || fail "update-mime-database"
    update-desktop-database "$share/applications" || fail "update-desktop-database"

    # A plan file in a folder of its own, named in upper and in lower case.
    mkdir -p "$work/plans"
    printf 'YOBI\r\n' >"$work/plans/some.HRZ"
    printf 'YOBI\r\n' >"$work/plans/other.hrz"
    # Only the temporary prefix and the system's own data: the answer must come from the
    # installed package, not from a desktop's own tools.
    local -a env_vars=(env -u XDG_CURRENT_DESKTOP -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID -u DESKTOP_SESSION
        "XDG_DATA_DIRS=$share:/usr/share" "XDG_DATA_HOME=$work/home-data" "XDG_CONFIG_HOME=$work/home-config"
        "XDG_CONFIG_DIRS=$work/config-dirs")
    local type
    for plan in some.HRZ other.hrz; do
        type=$("${env_vars[@]}" xdg-mime query filetype "$work/plans/$plan") || fail "xdg-mime query filetype $plan"
        [[ $type == application/x-harukaze-plan* ]] || fail "$plan is '$type', not application/x-harukaze-plan"
    done
    local handler
    handler=$("${env_vars[@]}" xdg-mime query default application/x-harukaze-plan) || fail "xdg-mime query default"
    [[ $handler == harukaze.desktop ]] || fail "plan files open with '$handler', not harukaze.desktop"
}

case ${1:-} in
validate) validate "$2" ;;
install) install_check "$2" ;;
*)
    echo "usage: $0 validate SOURCE_DIR | install BUILD_DIR" >&2
    exit 2
    ;;
esac
echo "OK"
