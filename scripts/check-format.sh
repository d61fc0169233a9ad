#!/usr/bin/env bash
# Lists the C++ files that .clang-format would change and fails if there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
while IFS= read -r -d '' file; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
        echo "not formatted: $file"
        status=1
    fi
done < <(git ls-files -z -- '*.cpp' '*.h')
exit $status
