#!/bin/bash
# Installs every Debian package the build, the tests and the sample run need, without
# starting any service (the samba packages would otherwise start daemons on every
# interface). Idempotent; needs root.
set -euo pipefail
[ "$(id -u)" = 0 ] || { echo "install_packages.sh: must run as root" >&2; exit 1; }

PACKAGES=(
	build-essential cmake ninja-build pkg-config git           # toolchain
	libgtest-dev libgmock-dev googletest                       # tests
	qt6-base-dev qt6-base-dev-tools libgl-dev                  # forms runtime, controls, program
	qt6-base-private-dev                                       # window-system input queued by the input tests
	fonts-dejavu-core                                          # text in offscreen GUI tests
	libldap-dev ldap-utils slapd                               # directory layer and its test server
	libsasl2-dev libsasl2-modules libsasl2-modules-gssapi-mit  # SASL binds
	samba-dev libsmbclient-dev                                 # netapi.h, libsmbclient.h
	samba samba-ad-dc samba-ad-provision samba-dsdb-modules samba-vfs-modules winbind # test DC
	ldb-tools                                                  # ldbadd, ldbmodify: the DC fixture
	krb5-user smbclient libkrb5-dev openssl                    # kinit, rpcclient, krb5.h, test certificates
	util-linux iproute2 procps                                 # unshare, mount, flock; ip, ss; ps
	locales                                                    # localedef: the locales of the log-date tests
	clang libclang-rt-14-dev                                   # fuzz targets: clang, libFuzzer, sanitizer runtimes
	desktop-file-utils                                         # desktop-file-validate: the installed desktop entry
	xvfb xauth qt6-qpa-plugins                                 # the wizard on an X display of its own (xcb platform)
	xdotool                                                    # the wizard on Xvfb driven from the keyboard
	python3-pyatspi at-spi2-core dbus-x11                      # the accessibility tree read from outside
	python3                                                    # the hostile directory server of the tests (tests/fixtures/hostile-ldap)
	x11-utils                                                  # xprop: the window a dialog belongs to
	xdg-utils                                                  # xdg-open: View Log opens the log in the desktop's viewer
	openbox                                                    # a window manager: the wizard's keyboard walks, minimising a modal dialog
	poppler-utils                                              # pdftotext, pdftoppm: the printed report's tests
	strace                                                     # bench/gui_label_times.py --fsync: the registry's fsyncs counted
)

missing=()
for p in "${PACKAGES[@]}"; do
	dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The program's log dates follow the user's time locale; its tests read them under en_US
# and de_DE, which a fresh system does not carry compiled.
generate_locales() {
	local name
	for name in en_US de_DE; do
		locale -a 2>/dev/null | grep -qx "$name.utf8" || localedef -i "$name" -f UTF-8 "$name.UTF-8"
	done
}

if [ ${#missing[@]} -eq 0 ]; then
	generate_locales
	echo "install_packages.sh: all packages present"
	exit 0
fi

# A policy-rc.d answering 101 keeps invoke-rc.d from starting the packages' services; one
# that is already there is left alone.
guard=
if [ ! -e /usr/sbin/policy-rc.d ]; then
	printf '#!/bin/sh\nexit 101\n' > /usr/sbin/policy-rc.d
	chmod 755 /usr/sbin/policy-rc.d
	guard=1
fi
trap '[ -z "$guard" ] || rm -f /usr/sbin/policy-rc.d' EXIT

export DEBIAN_FRONTEND=noninteractive
# slapd asks for an admin password during configuration; the tests run their own slapd
# with their own configuration, so the packaged one is left unconfigured.
echo "slapd slapd/no_configuration boolean true" | debconf-set-selections
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
generate_locales
