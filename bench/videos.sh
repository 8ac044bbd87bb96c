# Sourced by the copy benchmarks: make_videos FOLDER MIB [PREFIX] makes four
# videos of MIB MiB of random bytes, FOLDER/song1-singer.mpg ... song4, and
# lists them in the array `files`, each path behind PREFIX (Z: for a Windows
# program under Wine).
make_videos() {
  local folder=$1 mib=$2 prefix=${3:-} n f
  mkdir -p "$folder"
  files=()
  for n in 1 2 3 4; do
    f="$folder/song$n-singer.mpg"
    head -c "$((mib << 20))" /dev/urandom > "$f"
    files+=("$prefix$f")
  done
}
