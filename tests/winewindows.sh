# Finding and driving the windows that Wine shows on the X display, for the Wine tests
# (sourced by underwine.sh and wineinstall.sh). Windows are found by their title and the size of
# their client area. xdotool matches the title in WM_NAME, which Wine writes in the character set
# of the locale (question marks for Chinese in the POSIX locale): underwine.sh runs everything in
# C.UTF-8, whatever the caller's locale.

# The shown window with that exact title and that size (the client area), waiting up to 15 s.
window_of() {
    local title=$1 size=$2
    for _ in $(seq 150); do
        for id in $(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null); do
            if [ "$(xdotool getwindowgeometry "$id" | sed -n 's/ *Geometry: //p')" = "$size" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
# Whether no shown window has that title and size, waiting up to 15 s.
gone() {
    for _ in $(seq 150); do
        window_of_now "$1" "$2" || return 0
        sleep 0.1
    done
    return 1
}
window_of_now() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null); do
        [ "$(xdotool getwindowgeometry "$id" | sed -n 's/ *Geometry: //p')" = "$2" ] && return 0
    done
    return 1
}
# A shown window with that exact title, of any size, waiting up to 15 s.
window_titled() {
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^$(printf '%s' "$1" | sed 's/[][().*^$]/\\&/g')\$" 2>/dev/null | head -1 | grep . && return 0
        sleep 0.1
    done
    return 1
}
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# Whether the window $1 lies above the window $2 in the window manager's stacking order (Openbox
# lists its windows bottom first), a second after the click that may have changed it.
above() {
    local id i=0 upper=-1 lower=-1
    sleep 1
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*#//; s/,/ /g'); do
        [ $((id)) = "$1" ] && upper=$i
        [ $((id)) = "$2" ] && lower=$i
        i=$((i + 1))
    done
    [ $lower -ge 0 ] && [ $upper -gt $lower ]
}
# As a learner closes a window from the keyboard: Alt+F4 in it.
close_window() { xdotool windowfocus "$1"; sleep 0.3; xdotool key alt+F4; }
