# Stopping a process this project started, by its PID: TERM, then KILL after a time-out.
# Sourced by the Wine session script and the Wine test helpers.
tarn_stop_pid() {  # pid [seconds]
    local pid=$1 wait=${2:-5}
    [ -n "$pid" ] || return 0
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for _ in $(seq $((wait * 10))); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    return 0
}
