# Fills a template's @prose_NAME@ markers with what `stelvana_prose name`
# prints (underscores become hyphens); a marker alone on its line takes the
# lines printed, or goes with its line when nothing is.
#   cmake -DTOOL=stelvana_prose -DTEMPLATE=in -DOUTPUT=out -P fillprose.cmake
file(READ "${TEMPLATE}" text)
string(REGEX MATCHALL "@prose_[a-z_]+@" markers "${text}")
list(REMOVE_DUPLICATES markers)
foreach(marker IN LISTS markers)
  string(REGEX REPLACE "^@prose_(.*)@$" "\\1" name "${marker}")
  string(REPLACE "_" "-" name "${name}")
  execute_process(COMMAND "${TOOL}" ${name} OUTPUT_VARIABLE value COMMAND_ERROR_IS_FATAL ANY)
  if(value MATCHES "\n$" OR value STREQUAL "")
    set(lines "${value}")
  else()
    set(lines "${value}\n")
  endif()
  string(REGEX REPLACE "\n$" "" inline "${value}")
  string(REPLACE "\n${marker}\n" "\n${lines}" text "${text}")
  string(REPLACE "${marker}" "${inline}" text "${text}")
endforeach()
file(WRITE "${OUTPUT}.new" "${text}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
