# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that start the window: the 3D view needs an X display with OpenGL,
# which Xvfb and Mesa's software renderer give a machine without a screen.

# Runs the calling script again under Xvfb when there is no display:
#   sm_under_xvfb "${BASH_SOURCE[0]}" "$@"
sm_under_xvfb() {
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$@"
    fi
}

# Gives Qt a private runtime folder when the session has none (as under CI or sudo).
sm_runtime_dir() {
    if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d /tmp/simumoteurs-runtime.XXXXXX)
        chmod 700 "$XDG_RUNTIME_DIR"
        export XDG_RUNTIME_DIR
    fi
}
