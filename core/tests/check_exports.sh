#!/usr/bin/env bash
# The library's dynamic symbol table defines exactly the fifteen exports. Usage: check_exports.sh <library>
set -euo pipefail
expected="DLL_Start
DLL_Stop
Fct_CreatePlayerInstance
Fct_FreeData
Fct_FreePlayerInstance
Fct_GetAllFilters
Fct_GetCommonDsFilters
Fct_GetFCCFilters
Fct_GetFilterInfo
Fct_GetMediaDuration
Fct_HtmlHelp
Fct_IsVMR9Present
Fct_SendOrder
Fct_SetRit
Fct_ShowFilterProp"
actual=$(nm -D --defined-only --extern-only "$1" | awk '{print $3}' | sed 's/@.*//' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
    diff <(echo "$expected") <(echo "$actual") || true
    exit 1
fi
