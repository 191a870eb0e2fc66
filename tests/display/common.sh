# Sourced by the display tests: skipping where a tool is missing.

skip() {
  echo "SKIPPED: $*"
  exit 77
}

need() {
  command -v "$1" >/dev/null || skip "$1 is not installed (Debian package $2)"
}
