# Sourced by run.sh and screenshots.sh: prepares a suite configuration of its own and a copy of
# the demo project, so the console starts on the demo and never touches the user's settings.
#
#   hv_prepare_demo CONFIG_HOME PROJECT [PROGRAMS]
#
# CONFIG_HOME becomes XDG_CONFIG_HOME (the suite's per-user folder is Halvora/HV50 in it).
# On the first call PROJECT is filled with a copy of demo/ (the console's commands change
# and delete files, so the committed demo stays as it is), the demo's security table (which
# asks for no login) is put in place, and the user settings name PROJECT as the last folder.
# PROGRAMS, when given, is the suite's program folder (the stand-in programs in
# build/demo-suite/); a new configuration names it in suite.ini.
# Later calls keep whatever the console changed there; delete both folders to start afresh.

hv_prepare_demo() {
  local config_home="$1" project="$2" programs="${3:-}"
  local repo suite
  repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  suite="$config_home/Halvora/HV50"
  mkdir -p "$suite"
  if [ ! -d "$project" ]; then
    mkdir -p "$project"
    find "$repo/demo" -maxdepth 1 -type f ! -name 'make-demo.sh' -exec cp -p {} "$project/" \;
  fi
  project="$(cd "$project" && pwd)"
  [ -f "$suite/SECURITY.DBF" ] || cp "$repo/demo/config/SECURITY.DBF" "$suite/SECURITY.DBF"
  if [ ! -f "$suite/HVAdmin.ini" ]; then
    local quoted="${project//\\/\\\\}"
    quoted="${quoted//\"/\\\"}"
    printf '[Settings]\nLastFolder="%s/"\n' "$quoted" > "$suite/HVAdmin.ini"
  fi
  if [ -n "$programs" ] && [ ! -f "$suite/suite.ini" ]; then
    mkdir -p "$programs"
    printf '[Suite]\nProgramFolder=%s\n' "$(cd "$programs" && pwd)" > "$suite/suite.ini"
  fi
  export XDG_CONFIG_HOME="$config_home"
}
