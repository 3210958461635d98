# Starts the Firebird server of the firebird3.0-server package on loopback
# when it is not running (no systemd on build machines), and exports what the
# server test needs: VARER_TEST_SERVER (host) and VARER_TEST_SERVER_PASSWORD,
# and VARER_TEST_SERVER_DIR, a folder the server may create databases in.
start_firebird_server() {
  local pwfile=/etc/firebird/3.0/SYSDBA.password
  if [ ! -x /usr/sbin/firebird ] || [ ! -r "$pwfile" ]; then
    echo "firebird server not installed: the server test will be skipped"
    return 0
  fi
  if ! (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
    mkdir -p /run/firebird3.0 && chown firebird:firebird /run/firebird3.0 2>/dev/null || true
    if command -v runuser >/dev/null && id firebird >/dev/null 2>&1; then
      runuser -u firebird -- /usr/sbin/firebird >/dev/null 2>&1 &
    else
      /usr/sbin/firebird >/dev/null 2>&1 &
    fi
    for _ in $(seq 1 50); do
      (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null && break
      sleep 0.2
    done
  fi
  # shellcheck disable=SC1090
  ISC_PASSWORD=$(. "$pwfile"; echo "${ISC_PASSWORD:-}")
  export VARER_TEST_SERVER=localhost
  export VARER_TEST_SERVER_PASSWORD="$ISC_PASSWORD"
  export VARER_TEST_SERVER_DIR=/var/lib/firebird/3.0/data
}
