# shellcheck shell=bash
# Starting and stopping openbox on the private Xvfb, so that the program runs under a window
# manager as on a learner's desktop: frames and titles, focus given on map, placement by the WM.
# Sourced by the test scripts after xvfb.sh.

# Starts openbox on $DISPLAY with a configuration of its own written to DIR (none of the user's
# settings count) and waits until it manages the screen. Sets OPENBOX_PID; returns 1 when openbox
# did not come up within five seconds.
start_openbox() {
  local dir=$1
  command -v openbox >/dev/null 2>&1 || return 1
  mkdir -p "$dir"
  # Openbox's usual behaviour for a desktop, kept small and fixed: click to focus, new windows
  # focused, smart placement (a position the program sets itself is kept), the default theme with
  # a close box on the right, Alt+F4 asks the focused window to close.
  cat >"$dir/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <focus><focusNew>yes</focusNew><followMouse>no</followMouse><focusLast>yes</focusLast></focus>
  <placement><policy>Smart</policy><center>yes</center></placement>
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout><animateIconify>no</animateIconify></theme>
  <desktops><number>1</number></desktops>
  <margins><top>0</top><bottom>0</bottom><left>0</left><right>0</right></margins>
  <keyboard>
    <keybind key="A-F4"><action name="Close"/></keybind>
  </keyboard>
  <mouse>
    <context name="Frame">
      <mousebind button="A-Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="A-Left" action="Drag"><action name="Move"/></mousebind>
    </context>
    <context name="Titlebar">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Drag"><action name="Move"/></mousebind>
    </context>
    <context name="Client">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
    </context>
    <context name="Close">
      <mousebind button="Left" action="Press"><action name="Focus"/><action name="Raise"/></mousebind>
      <mousebind button="Left" action="Click"><action name="Close"/></mousebind>
    </context>
    <context name="Iconify">
      <mousebind button="Left" action="Click"><action name="Iconify"/></mousebind>
    </context>
    <context name="Maximize">
      <mousebind button="Left" action="Click"><action name="ToggleMaximize"/></mousebind>
    </context>
  </mouse>
</openbox_config>
EOF
  # XDG_CONFIG_HOME points into DIR as well, so that no autostart or menu of the user is read.
  XDG_CONFIG_HOME=$dir openbox --sm-disable --config-file "$dir/rc.xml" >"$dir/openbox.log" 2>&1 &
  OPENBOX_PID=$!
  # Openbox announces itself once it manages the screen: the root window's
  # _NET_SUPPORTING_WM_CHECK names a window whose _NET_WM_NAME is "Openbox".
  local check
  for _ in $(seq 50); do
    kill -0 "$OPENBOX_PID" 2>/dev/null || break
    check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # //p')
    if [[ -n $check ]] && xprop -id "$check" -notype _NET_WM_NAME 2>/dev/null | grep -q '"Openbox"'; then
      return 0
    fi
    sleep 0.1
  done
  stop_openbox
  return 1
}

# Ends the openbox that start_openbox started.
stop_openbox() {
  if [[ -n ${OPENBOX_PID:-} ]]; then
    kill "$OPENBOX_PID" 2>/dev/null
    wait "$OPENBOX_PID" 2>/dev/null
    OPENBOX_PID=""
  fi
}

# Writes to FILE a screenshot of WINDOW with the frame openbox gives it: the rectangle of the
# screen that the window and its _NET_FRAME_EXTENTS cover (none for an unframed window).
framed_shot() {
  local window=$1 file=$2 x y w h left=0 right=0 top=0 bottom=0 extents
  read -r x y w h < <(xwininfo -id "$window" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { print x, y, w, h }')
  [[ -n $h ]] || return 1
  extents=$(xprop -id "$window" -notype _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p')
  [[ -n $extents ]] && IFS=', ' read -r left right top bottom <<<"$extents"
  import -window root "$file" 2>/dev/null &&
    convert "$file" -crop "$((w + left + right))x$((h + top + bottom))+$((x - left))+$((y - top))" \
      +repage "$file"
}

# Runs "xdotool search ARGS" and prints the ids it found. When a window vanishes while xdotool
# looks at it, as a closing window and the parts of its frame do, xdotool ends with an X error
# instead of a result; then it looks again (up to ten times, failing after that).
x_search() {
  local result
  for _ in $(seq 10); do
    result=$(xdotool search "$@" 2>&1)
    if [[ $result != *"X Error"* ]]; then
      grep -E '^[0-9]+$' <<<"$result"
      return 0
    fi
  done
  return 1
}
