#!/bin/sh
# Fails when a source file includes against the one-way rooms: each room may include
# itself and the rooms before it in this order, never one after it. The model
# (document/) holds no drawing or window types.
#   document  platform  files  ui  editor  app
cd "$(dirname "$0")/.." || exit 2
rooms="document platform files ui editor app"
status=0
allowed=""
for room in $rooms; do
    allowed="$allowed $room"
    for file in $(find "$room" -name '*.cpp' -o -name '*.hpp' | sort); do
        for included in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\)\/.*/\1/p' "$file" | sort -u); do
            case " $allowed " in
            *" $included "*) ;;
            *) echo "$file includes $included/, which $room/ may not"; status=1 ;;
            esac
        done
    done
done
if grep -n -E '#[[:space:]]*include[[:space:]]*<SFML/(Graphics|Window)' document/*.cpp document/*.hpp; then
    echo "document/ is the model: no drawing or window types"
    status=1
fi
exit $status
