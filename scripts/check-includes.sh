#!/usr/bin/env bash
# Checks the include graph: every layer includes only itself and the layers below it.
#   platform < image < games, options, launch, snapshot, install < window < ui, res < app
# Qt files of the core folders (qt_*) belong to the user-interface layer; ui/ never includes
# res/, and only the main window's own files include its header.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
forbid() { # folder, pattern of included paths it must not use, reason
    local folder=$1 pattern=$2 reason=$3
    local found
    found=$(grep -HnE "#include \"($pattern)/" $(find "$folder" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \) ! -name 'qt_*' | sort) || true)
    if [[ -n "$found" ]]; then
        echo "$reason:"
        echo "$found"
        status=1
    fi
}

ui_and_above='ui|res|app|window'
forbid platform "image|games|options|launch|snapshot|install|$ui_and_above" "platform/ includes a higher layer"
forbid image "games|options|launch|snapshot|install|$ui_and_above" "image/ includes a higher layer"
for folder in games options launch snapshot install; do
    forbid "$folder" "$ui_and_above" "$folder/ includes a higher layer"
done
forbid window "ui|res|app" "window/ includes a higher layer"
forbid ui "res|app|window" "ui/ includes a higher layer"

helpers=$(grep -lE '#include "app/launcher_dialog.h"' app/*.cpp app/*.h |
    grep -vE '^app/(launcher_dialog|launcher_dialog_view|launcher_app)\.(cpp|h)$' || true)
if [[ -n "$helpers" ]]; then
    echo "helpers of the main window include its header:"
    echo "$helpers"
    status=1
fi
exit $status
