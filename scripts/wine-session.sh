# A Wine prefix and an Xvfb display for a whole run, sourced by scripts/with-wine and scripts/test.
# wine_session_start makes a fresh 64-bit prefix (about 8 s; 32-bit programs run in it too, through
# /usr/lib/wine/wine) and exports WINEPREFIX and DISPLAY; wine_session_stop stops the prefix's
# wineserver and the display and removes the prefix. A server left running could hold the output
# of the run open.

wine_session_start() {
    wine_session_dir=$(mktemp -d /tmp/plv-wine.XXXXXX)
    export WINEPREFIX=$wine_session_dir/prefix
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" # no .NET or Gecko installers in a fresh prefix

    local display=90
    while [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ]; do
        display=$((display + 1))
    done
    export DISPLAY=:$display
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$wine_session_dir/xvfb.log" 2>&1 &
    wine_session_xvfb=$!
    for _ in $(seq 50); do
        [ -e /tmp/.X11-unix/X$display ] && break
        sleep 0.1
    done

    # Keep one server up for the whole run, so that every program starts fast.
    /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null
    if ! /usr/lib/wine/wine64 wineboot -i >"$wine_session_dir/wineboot.log" 2>&1 </dev/null; then
        echo "wine-session: wineboot failed:" >&2
        cat "$wine_session_dir/wineboot.log" >&2
        return 1
    fi
}

wine_session_stop() {
    [ -n "${wine_session_dir:-}" ] || return 0
    /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w >/dev/null 2>&1 || true
    kill "$wine_session_xvfb" >/dev/null 2>&1 || true
    wait "$wine_session_xvfb" 2>/dev/null || true
    rm -rf "$wine_session_dir"
    wine_session_dir=
}
