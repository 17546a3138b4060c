#!/bin/sh
# pictor-roots over generated dictionaries and a generated registry file, in both file forms;
# pictor-mkfixture making the folder it writes into.
set -eu
bin=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT

expected='FA40  注音  ㄅ　ㄚˋ　ㄆ　ㄛˊ
FA40  倉頡  日月金　　
C6A1  注音  ㄉㄨㄥˉ
C6A1  倉頡  難卜　　　'

for format in v5 regedit4; do
    "$bin/pictor-mkfixture" "$folder" --format "$format" >/dev/null
    out=$(PICTOR_REGISTRY="$folder/registry.reg" "$bin/pictor-roots" FA40 C6A1)
    if [ "$out" != "$expected" ]; then
        printf 'format %s, got:\n%s\n' "$format" "$out"
        exit 1
    fi
    listing=$(PICTOR_REGISTRY="$folder/registry.reg" "$bin/pictor-roots")
    case $listing in
        *"E0010404  PHON      中文 (繁體) - 注音  $folder/phonetic.tbl"*) ;;
        *) printf 'format %s, listing:\n%s\n' "$format" "$listing"; exit 1 ;;
    esac
done

quick=$(PICTOR_REGISTRY="$folder/registry.reg" "$bin/pictor-roots" --hkl E0030404 FA40)
[ "$quick" = 'FA40  速成  一中　　　' ] || { echo "quick: $quick"; exit 1; }

# A standard code is refused with status 2.
status=0
PICTOR_REGISTRY="$folder/registry.reg" "$bin/pictor-roots" A440 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "A440 gave status $status"; exit 1; }

# A registry file that does not parse: status 1, the file and the line named, the file untouched.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n"a"=dword:zz\r\n' >"$folder/broken.reg"
before=$(cksum <"$folder/broken.reg")
status=0
message=$(PICTOR_REGISTRY="$folder/broken.reg" "$bin/pictor-roots" 2>&1) || status=$?
[ "$status" -eq 1 ] || { echo "broken file gave status $status"; exit 1; }
case $message in
    *"$folder/broken.reg: line 4:"*) ;;
    *) echo "message: $message"; exit 1 ;;
esac
[ "$(cksum <"$folder/broken.reg")" = "$before" ] || { echo "broken file was changed"; exit 1; }
# pictor-mkfixture makes a folder that is not there yet, with its parents.
"$bin/pictor-mkfixture" "$folder/new/deeper" >/dev/null || { echo "pictor-mkfixture into a new folder failed"; exit 1; }
for name in registry.reg phonetic.tbl changjie.tbl quick.tbl; do
    [ -s "$folder/new/deeper/$name" ] || { echo "no $name in the new folder"; exit 1; }
done

echo "pictor-roots: all checks passed"
