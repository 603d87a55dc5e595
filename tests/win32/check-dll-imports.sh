#!/bin/sh
# Fails unless every DLL that the given module imports is a system DLL: a module linked against
# the compiler's runtime DLLs (libstdc++, libgcc, libwinpthread) would not load where those are
# missing. Usage: check-dll-imports.sh OBJDUMP MODULE
set -eu
objdump=$1
module=$2
imports=$("$objdump" -p "$module" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p')
if [ -z "$imports" ]; then
  echo "no imports found in $module" >&2
  exit 1
fi
status=0
for dll in $imports; do
  case $(echo "$dll" | tr '[:upper:]' '[:lower:]') in
    kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | ole32.dll | oleaut32.dll | \
      shell32.dll | shlwapi.dll | comctl32.dll | comdlg32.dll | msvcrt.dll | version.dll | \
      ntdll.dll | api-ms-win-*.dll)
      echo "ok: $dll" ;;
    *)
      echo "not a system DLL: $dll" >&2
      status=1 ;;
  esac
done
exit $status
