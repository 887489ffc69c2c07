#!/usr/bin/env bash
# Builds the Debian package from a finished build in build/, validates its
# desktop entry and AppStream data, installs it, checks what it installed
# (the programs run, the manual page is found, the completion offers the
# subcommands) and removes it again. Run as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi

appstreamcli validate --no-net app/org.zampanel.ZamPanel.metainfo.xml
desktop-file-validate app/zam-panel.desktop

rm -f build/zam-panel_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/zam-panel_*.deb)
dpkg-deb --field "$deb" Depends

# Minimal Debian images tell dpkg to drop manual pages
# (/etc/dpkg/dpkg.cfg.d/excludes: path-exclude /usr/share/man/*); this
# package's own pages are let through again, so that man finds them.
include=()
if grep -qs '^path-exclude=*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then
  echo "dpkg excludes /usr/share/man here: the package's pages are included again"
  include=(-o "DPkg::Options::=--path-include=/usr/share/man/man1/zam-*")
fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
  "${include[@]}" "./$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq zam-panel >/dev/null' EXIT

listed=$(dpkg -L zam-panel)
for f in /usr/bin/zam-panel /usr/bin/zam-ctl /usr/bin/zam-camsim \
         /usr/share/man/man1/zam-panel.1.gz /usr/share/man/man1/zam-ctl.1.gz \
         /usr/share/man/man1/zam-camsim.1.gz /usr/share/bash-completion/completions/zam-ctl \
         /usr/share/applications/zam-panel.desktop \
         /usr/share/icons/hicolor/scalable/apps/zam-panel.svg \
         /usr/share/metainfo/org.zampanel.ZamPanel.metainfo.xml; do
  grep -qx "$f" <<<"$listed" || { echo "the package lacks $f" >&2; exit 1; }
done
if grep -E '/(tests_|test_|bench|fuzz)' <<<"$listed"; then
  echo "the package holds test programs" >&2
  exit 1
fi
file /usr/bin/zam-ctl | grep -q ELF
/usr/bin/zam-ctl --version
man -w zam-ctl
offered=$(bash -c 'source /usr/share/bash-completion/completions/zam-ctl
  COMP_WORDS=(zam-ctl ""); COMP_CWORD=1; _zam_ctl; printf "%s\n" "${COMPREPLY[@]}"')
for sub in ports doctor detect status send save load diff; do
  grep -qx "$sub" <<<"$offered" || { echo "the completion does not offer $sub" >&2; exit 1; }
done
echo "package $(basename "$deb"): installs, runs and removes"
