# A private Firebird 3 server for one test run, sourced by scripts/test.
#   fbserver_start   installs firebird3.0-server when missing, makes a root
#                    folder of its own (configuration, security database,
#                    SYSDBA password made for this run), starts the server on
#                    127.0.0.1 at a free port and exports the VIMEK_FB_*
#                    variables the server tests read
#   fbserver_stop    stops it and removes its folder (scripts/test traps it)
# The system's Firebird configuration, security database and service are left
# alone: the server reads its configuration from its own root folder only.
FB_SYSTEM_ROOT=/usr/lib/x86_64-linux-gnu/firebird/3.0
FB_SERVER_PACKAGES=(firebird3.0-server)
FB_SERVER_PID=""
FB_SERVER_ROOT=""

# A port nothing listens on (bash's own /dev/tcp, no other tool needed).
fbserver_free_port() {
  local port
  while :; do
    port=$((20000 + RANDOM % 40000))
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return
    fi
  done
}

fbserver_start() {
  install_packages "${FB_SERVER_PACKAGES[@]}"
  local server
  server="$(command -v firebird || echo /usr/sbin/firebird)"
  FB_SERVER_ROOT="$(mktemp -d "${TMPDIR:-/tmp}/vimek-fbserver.XXXXXX")"
  local root="$FB_SERVER_ROOT" port password
  port="$(fbserver_free_port)"
  password="$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 16)"
  mkdir -p "$root/lock" "$root/data"
  chmod 700 "$root"
  ln -s "$FB_SYSTEM_ROOT/plugins" "$root/plugins"
  # A copy, not a link: the character sets are not found through a linked folder.
  mkdir "$root/intl"
  cp -L "$FB_SYSTEM_ROOT/intl/libfbintl.so" "$FB_SYSTEM_ROOT/intl/fbintl.conf" "$root/intl/"
  cp "$FB_SYSTEM_ROOT/firebird.msg" "$root/"
  cp "$FB_SYSTEM_ROOT/plugins.conf" "$root/"
  cat >"$root/firebird.conf" <<EOF
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
ServerMode = Super
AuthServer = Srp
UserManager = Srp
WireCrypt = Enabled
UdfAccess = None
SecurityDatabase = $root/security3.fdb
EOF
  : >"$root/databases.conf"
  # The security database and its SYSDBA, made through the engine in this
  # process with the private configuration only (isql stops at an error).
  if ! FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" isql-fb -q -bail -user SYSDBA >"$root/setup.log" 2>&1 <<EOF; then
create database '$root/security3.fdb';
create user SYSDBA password '$password' using plugin Srp;
commit;
EOF
    echo "The private Firebird server's security database could not be made:" >&2
    cat "$root/setup.log" >&2
    fbserver_stop
    return 1
  fi
  FIREBIRD="$root" FIREBIRD_LOCK="$root/lock" FIREBIRD_MSG="$root" "$server" >"$root/server.log" 2>&1 &
  FB_SERVER_PID=$!
  local tries=0
  until echo "select 1 from rdb\$database;" |
    isql-fb -q -user SYSDBA -password "$password" "127.0.0.1/$port:$root/security3.fdb" >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -ge 100 ] || ! kill -0 "$FB_SERVER_PID" 2>/dev/null; then
      echo "The private Firebird server did not start:" >&2
      cat "$root/server.log" >&2
      fbserver_stop
      return 1
    fi
    sleep 0.1
  done
  export VIMEK_FB_HOST=127.0.0.1 VIMEK_FB_PORT="$port"
  export VIMEK_FB_SERVER="127.0.0.1/$port"
  export VIMEK_FB_DATABASE="127.0.0.1/$port:$root/data/Vimek-test.fdb"
  export VIMEK_FB_USER=SYSDBA VIMEK_FB_PASSWORD="$password" VIMEK_FB_FOLDER="$root/data"
  echo "Private Firebird server on 127.0.0.1 port $port (root $root)"
}

fbserver_stop() {
  if [ -n "$FB_SERVER_PID" ]; then
    kill "$FB_SERVER_PID" 2>/dev/null || true
    local waited=0
    while kill -0 "$FB_SERVER_PID" 2>/dev/null && [ "$waited" -lt 50 ]; do
      sleep 0.1
      waited=$((waited + 1))
    done
    kill -9 "$FB_SERVER_PID" 2>/dev/null || true
    wait "$FB_SERVER_PID" 2>/dev/null || true
    FB_SERVER_PID=""
  fi
  if [ -n "$FB_SERVER_ROOT" ]; then
    rm -rf "$FB_SERVER_ROOT"
    FB_SERVER_ROOT=""
  fi
}
