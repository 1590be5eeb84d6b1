# Sourced by the Windows scripts: Wine for 64-bit programs in a prefix of the project's, without
# add-on installers, on a virtual display of its own, with one persistent server.
# Usage: . scripts/wine-env.sh PREFIX-FOLDER [DPI]
wine_prefix=$1
wine_dpi=${2:-96}
export WINEPREFIX=$wine_prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset LC_ALL

# Wine takes the user's locale from LANG, which must name a locale the machine has.
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
    if [ "$(id -u)" -eq 0 ]; then localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
    else sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8; fi
fi

wine_display=90
while [ -e "/tmp/.X11-unix/X$wine_display" ] || [ -e "/tmp/.X$wine_display-lock" ]; do
    wine_display=$((wine_display + 1))
done
Xvfb ":$wine_display" -screen 0 1600x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
wine_xvfb=$!
export DISPLAY=":$wine_display"
for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
# A desktop session always leaves a resource database on its display. Without one, Xlib reads
# the user's resource files anew each time Wine asks for a default (on every font selected),
# which makes all text drawing several times slower than on any desktop.
xprop -root -format RESOURCE_MANAGER 8s -set RESOURCE_MANAGER 'Wine.session:	xvfb'

# The first start of a prefix sets it up, without any window; the symbols of the windows'
# caption buttons come with Wine's own fonts.
[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1
cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$wine_dpi" /f \
    >/dev/null 2>&1
wineserver -w

# A server that shuts down as the previous run ends can drop the next run's connection
# ("recvmsg: connection reset").
wineserver -p
wine_cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$wine_xvfb" 2>/dev/null || true
}
trap wine_cleanup EXIT
