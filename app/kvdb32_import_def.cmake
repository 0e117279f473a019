# Turns kvdb32.def ("_kvName@N = kvName@N") into an import definition that binds the
# program's symbol kvName@N to the DLL's export "_kvName@N".
file(STRINGS ${SOURCE} lines)
set(out "LIBRARY kvdb32.dll\nEXPORTS\n")
foreach(line ${lines})
  if(line MATCHES "^[ \t]*_(kv[A-Za-z0-9]+@[0-9]+)[ \t]*=")
    string(APPEND out "${CMAKE_MATCH_1} == _${CMAKE_MATCH_1}\n")
  endif()
endforeach()
file(WRITE ${TARGET} "${out}")
