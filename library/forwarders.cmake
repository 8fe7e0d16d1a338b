# Writes a module-definition file that forwards every export of the library DLL to it, so that
# the program exports the library's names without carrying a copy of it.
# cmake -DDLL_DEF=<the DLL's export list> -DDLL_NAME=<module name> -DOUTPUT=<.def> -P forwarders.cmake
file(STRINGS "${DLL_DEF}" lines)
set(text "EXPORTS\n")
set(count 0)
foreach(line IN LISTS lines)
  # "    name @ordinal" or "    name @ordinal DATA", as ld --output-def writes them
  if(line MATCHES "^[ \t]+([^ \t]+)[ \t]+@[0-9]+( DATA)?[ \t]*$")
    string(APPEND text "    ${CMAKE_MATCH_1} = ${DLL_NAME}.${CMAKE_MATCH_1}${CMAKE_MATCH_2}\n")
    math(EXPR count "${count} + 1")
  endif()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${DLL_DEF} lists no exports")
endif()
# Rewritten only when the list changes, so the program is not relinked for nothing.
file(CONFIGURE OUTPUT "${OUTPUT}" CONTENT "${text}" @ONLY)
