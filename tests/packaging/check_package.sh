#!/usr/bin/env bash
# Makes KIVO6's package with cpack into a folder of its own and checks what it holds.
# Run by CTest (tests/packaging/CMakeLists.txt). Each expectation is KIND:PATH:
#   file:P     P is in the package (in a .zip: in its top folder)
#   program:P  P is in the package and executable
#   depends:N  the .deb depends on package N
#   desktop:P  P is a valid desktop entry whose program and icon are in the package
#   manual:N   the .deb holds N's man page, usr/share/man/man1/N.1.gz
#   lintian:T  lintian finds nothing in the .deb but the tags T (T1,T2,...)
# Usage: check_package.sh CPACK CPACK-CONFIG OUT-DIR DEB|ZIP EXPECTATION...
set -euo pipefail

cpack=$1 config=$2 out=$3 generator=$4
shift 4

rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" --config "$config" -G "$generator" -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    exit 1
fi

failures=0
allowed=() # lintian's tags that may stay
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# One line per entry, "MODE PATH", the path relative to the package root.
listing="$out/listing"
case "$generator" in
    DEB)
        package=$(find "$out" -maxdepth 1 -name '*.deb')
        dpkg-deb -c "$package" | awk '{ sub(/^\.\//, "", $6); print $1, $6 }' >"$listing"
        dpkg-deb -f "$package" Depends
        # The package names alone, one a line: "a (>= 1), b | c" gives a, b, c.
        dpkg-deb -f "$package" Depends | tr ',|' '\n' | awk 'NF { print $1 }' >"$out/depends"
        mkdir "$out/root"
        dpkg-deb -x "$package" "$out/root"
        ;;
    ZIP)
        package=$(find "$out" -maxdepth 1 -name '*.zip')
        # A zip made by CPack holds one top folder; the program is started from it.
        "$(dirname "$cpack")/cmake" -E tar tf "$package" |
            sed -E 's|^[^/]+/||; s|^|- |' >"$listing"
        ;;
    *)
        echo "unknown generator $generator" >&2
        exit 2
        ;;
esac
echo "Package: $package"
cat "$listing"

has_entry() {
    awk -v path="$1" '$2 == path { found = 1 } END { exit !found }' "$listing"
}

for expectation in "$@"; do
    kind=${expectation%%:*}
    path=${expectation#*:}
    case "$kind" in
        file)
            has_entry "$path" || fail "$path is not in the package"
            ;;
        program)
            awk -v path="$path" '$2 == path && $1 ~ /^-rwxr-xr-x/ { ok = 1 } END { exit !ok }' "$listing" ||
                fail "$path is not in the package as an executable"
            ;;
        depends)
            grep -qx "$path" "$out/depends" || fail "the package does not depend on $path"
            ;;
        desktop)
            if ! has_entry "$path"; then
                fail "$path is not in the package"
                continue
            fi
            entry="$out/root/$path"
            desktop-file-validate "$entry" || fail "$path is not a valid desktop entry"
            program=$(sed -n 's/^TryExec=//p' "$entry")
            icon=$(sed -n 's/^Icon=//p' "$entry")
            has_entry "usr/bin/$program" || fail "$path starts $program, which is not in usr/bin"
            grep -Eq "^\S+ usr/share/icons/hicolor/[0-9]+x[0-9]+/apps/$icon\.png$" "$listing" ||
                fail "$path shows icon $icon, which is not in the package"
            grep -Eq "^Exec=(.*[ \"])?$program([ \"].*)?\$" "$entry" ||
                fail "$path runs something other than $program"
            ;;
        manual)
            has_entry "usr/share/man/man1/$path.1.gz" ||
                fail "usr/share/man/man1/$path.1.gz, the man page of $path, is not in the package"
            ;;
        lintian)
            IFS=, read -ra tags <<<"$path"
            allowed+=("${tags[@]}")
            run_lintian=1
            ;;
        *)
            echo "unknown expectation $expectation" >&2
            exit 2
            ;;
    esac
done

# Once, after every expectation: any error or warning but the allowed tags fails.
if [ -n "${run_lintian:-}" ]; then
    # CI runs as root, which lintian refuses unless told.
    as_root=()
    [ "$(id -u)" -ne 0 ] || as_root=(--allow-root)
    lintian "${as_root[@]}" --fail-on error,warning --suppress-tags "$(IFS=,; echo "${allowed[*]}")" \
        "$package" || fail "lintian found what is shown above, or did not run"
fi
exit $((failures > 0))
