#!/bin/sh
# Starts or stops the private JACK dummy server that the live audio tests play through.
#   jackd.sh start|stop SERVER_NAME STATE_FOLDER
# The dummy driver paces the callbacks in real time, as a sound card would. Each build folder
# uses its own server name, so test runs of different builds never share a server.
set -u
action=$1
name=$2
state=$3
pidfile=$state/jackd.pid

# A zombie, or a process that took over a stale pid, is not our server.
running() {
  [ -n "$1" ] && tr '\0' ' ' <"/proc/$1/cmdline" 2>/dev/null | grep -q "jackd -n $name "
}

stop() {
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  if running "$pid"; then
    kill "$pid"
    i=0
    while running "$pid" && [ $i -lt 50 ]; do
      sleep 0.1
      i=$((i + 1))
    done
    running "$pid" && kill -9 "$pid"
  fi
  rm -f "$pidfile"
}

case $action in
  start)
    mkdir -p "$state"
    stop  # a server left over from an interrupted run
    JACK_NO_AUDIO_RESERVATION=1 jackd -n "$name" --no-realtime -d dummy -r 44100 -p 256 \
      </dev/null >"$state/jackd.log" 2>&1 &
    echo $! >"$pidfile"
    if jack_wait -s "$name" -w -t 10 >/dev/null 2>&1; then
      exit 0
    fi
    echo "the JACK dummy server did not start:" >&2
    cat "$state/jackd.log" >&2
    stop
    exit 1
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop SERVER_NAME STATE_FOLDER" >&2
    exit 2
    ;;
esac
