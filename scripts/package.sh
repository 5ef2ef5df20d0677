#!/usr/bin/env bash
# The release package, as a Windows user downloads it: the stripped x86_64 Rowtender.exe and
# HookDll.dll and a short read-me, in build/package/Rowtender-<version>-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"${JOBS:-2}" --target Rowtender HookDll

# The version and the web address, from the one place each is written.
version=$(sed -n 's/^#define ROWTENDER_VERSION_TEXT "\(.*\)"$/\1/p' build/win64/generated/resources/version_number.h)
website=$(sed -n 's/.*kMakerWebAddress\[\] = "\(.*\)";$/\1/p' app/version/web_address.h)
[ -n "$version" ] && [ -n "$website" ] || { echo "package: version or web address not found" >&2; exit 1; }

out=$(pwd)/build/package
stage=$out/Rowtender-$version
zip_file=$out/Rowtender-$version-win64.zip
rm -rf "$stage" "$zip_file"
mkdir -p "$stage"
for file in Rowtender.exe HookDll.dll; do
  x86_64-w64-mingw32-strip --strip-all -o "$stage/$file" "build/win64/bin/$file"
done
# Windows line ends, so that Notepad on any version shows the lines.
sed -e "s|@VERSION@|$version|" -e "s|@WEBSITE@|$website|" -e 's/$/\r/' package/ReadMe.txt.in >"$stage/ReadMe.txt"
(cd "$stage" && zip -q -X -9 "$zip_file" Rowtender.exe HookDll.dll ReadMe.txt)
unzip -l "$zip_file"
echo "package: $zip_file ($(stat -c %s "$zip_file") bytes)"
