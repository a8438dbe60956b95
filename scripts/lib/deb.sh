# The Debian package of gm900ctl, for scripts/package: the Linux Release build and the package
# made from it with Debian's own tools (packaging/ holds what goes into it).
# shellcheck shell=bash

# gm900ctl and the factory files, optimised and with Debian's build flags (dpkg-buildflags,
# every hardening option). -O2 as Debian builds: GCC 12 at -O3 with _FORTIFY_SOURCE reports a
# buffer overflow in libstdc++'s string code that is not there, which -Werror makes fatal.
gm_build_linux_release() {
  local flags
  flags=$(cd "$GM_ROOT" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh) ||
    return 1
  (
    eval "$flags"
    # shellcheck disable=SC2153  # the flags come from dpkg-buildflags
    cmake -S "$GM_ROOT" -B "$GM_ROOT/build/linux-release" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
      -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null &&
      cmake --build "$GM_ROOT/build/linux-release" -j "$(gm_jobs)" --target gm900ctl factory_files
  )
}

# Writes OUT/gm900ctl_<version>_<arch>.deb from the Linux Release build in BUILD and prints its
# path. The version is the build's (version.txt); packaging/debian/changelog must have an entry
# for it. Every date in the package is the last commit's, so one tree gives one package.
gm_make_deb() {  # BUILD OUT
  local build="$1" out="$2"
  local packaging="$GM_ROOT/packaging" factory="$1/dist/QL-GM900"
  local file
  for file in "$build/gm900ctl" "$build/version.txt" "$factory/config.bin"; do
    [ -f "$file" ] || { echo "scripts/package: $file is missing; build first" >&2; return 1; }
  done
  local version arch logged
  version=$(cat "$build/version.txt")
  arch=$(dpkg --print-architecture)
  logged=$(dpkg-parsechangelog -l "$packaging/debian/changelog" -S Version) || return 1
  if [ "$logged" != "$version" ]; then
    echo "scripts/package: the last entry of packaging/debian/changelog is $logged;" \
      "add one for $version" >&2
    return 1
  fi
  local deb="$out/gm900ctl_${version}_${arch}.deb"
  local work
  work=$(mktemp -d)
  (
    set -e
    umask 022
    export SOURCE_DATE_EPOCH
    SOURCE_DATE_EPOCH=$(git -C "$GM_ROOT" log -1 --format=%ct 2>/dev/null || echo 315532800)
    root="$work/root"
    mkdir -p "$work/source"
    cp -r "$packaging/debian" "$work/source/"

    install -D -m 755 "$build/gm900ctl" "$root/usr/bin/gm900ctl"
    # What dh_strip leaves: no symbols, no compiler notes.
    strip --remove-section=.comment --remove-section=.note --strip-unneeded \
      "$root/usr/bin/gm900ctl"
    install -D -m 644 "$GM_ROOT/data/70-ql-gm900.rules" \
      "$root/usr/lib/udev/rules.d/70-ql-gm900.rules"
    install -d "$root/usr/share/gm900ctl"
    for name in config.bin str.ini record.ini config{0..5}.bin str{0..5}.ini; do
      install -m 644 "$factory/$name" "$root/usr/share/gm900ctl/"
    done

    # The manual page and the completion, from what the packaged gm900ctl says of itself.
    docs=(python3 -B "$packaging/gm900ctl_docs.py")
    install -d "$root/usr/share/man/man1" "$root/usr/share/bash-completion/completions" \
      "$root/usr/share/doc/gm900ctl"
    "${docs[@]}" man "$root/usr/bin/gm900ctl" "$factory/config.bin" "$packaging/gm900ctl.1" \
      "$version" "$(LC_ALL=C date -u -d "@$SOURCE_DATE_EPOCH" '+%B %Y')" >"$work/gm900ctl.1"
    gzip -9n <"$work/gm900ctl.1" >"$root/usr/share/man/man1/gm900ctl.1.gz"
    "${docs[@]}" completion "$root/usr/bin/gm900ctl" "$factory/config.bin" \
      "$packaging/gm900ctl.bash-completion" >"$root/usr/share/bash-completion/completions/gm900ctl"
    install -m 644 "$packaging/debian/copyright" "$root/usr/share/doc/gm900ctl/"
    gzip -9n <"$packaging/debian/changelog" >"$root/usr/share/doc/gm900ctl/changelog.gz"

    install -d "$root/DEBIAN"
    install -m 755 "$packaging/debian/postinst" "$packaging/debian/postrm" "$root/DEBIAN/"
    # Depends from the libraries the binary links (libhidapi-hidraw0 among them), then the
    # control file with them and the installed size.
    (cd "$work/source" &&
      dpkg-shlibdeps -Tdebian/substvars "$root/usr/bin/gm900ctl" &&
      dpkg-gencontrol -P"$root" -Tdebian/substvars -fdebian/files)
    (cd "$root" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) \
      >"$root/DEBIAN/md5sums"
    chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
    find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    dpkg-deb --root-owner-group -Zxz --build "$root" "$deb.part" >/dev/null
    mv "$deb.part" "$deb"
  )
  local status=$?
  rm -rf "$work"
  [ "$status" -eq 0 ] || { echo "scripts/package: the Debian package failed" >&2; return 1; }
  echo "$deb"
}
