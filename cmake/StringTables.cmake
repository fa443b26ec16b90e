# Writes what is made from the program's one list of texts,
# src/resources/strings.inc: the header of string ids the code uses, and
# the Windows string tables (English and German).
#
#   cmake -DINPUT=<strings.inc> [-DHEADER_OUTPUT=<string_ids.h>] [-DRC_OUTPUT=<strings.rc>] -P StringTables.cmake
#
# Each line "STR(<id>, <Name>, L"<English>", L"<German>")" becomes the
# constant kStr<Name> = <id> in the header and one entry in the STRINGTABLE
# of each language. The texts stay UTF-8 and are written as plain (not L"")
# strings: with the code page pragma the resource compiler turns them into
# UTF-16 itself, whereas windres copies the bytes of a L"" string one by one
# and spoils every umlaut. The C escapes \r and \t become octal escapes,
# which every resource compiler reads, and \" becomes the doubled quote of
# .rc files.

if(NOT INPUT OR (NOT HEADER_OUTPUT AND NOT RC_OUTPUT))
  message(FATAL_ERROR "StringTables.cmake needs -DINPUT=... and -DHEADER_OUTPUT=... or -DRC_OUTPUT=...")
endif()

file(STRINGS "${INPUT}" lines ENCODING UTF-8)

function(rc_text out text)
  string(REPLACE "\\r" "\\015" text "${text}")
  string(REPLACE "\\t" "\\011" text "${text}")
  string(REPLACE "\\\"" "\"\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Writes Text to File unless it holds that already, so nothing is rebuilt for nothing.
function(write_if_changed file text)
  if(EXISTS "${file}")
    file(READ "${file}" old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE "${file}" "${text}")
endfunction()

set(english "")
set(german "")
set(ids "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^STR\\(([0-9]+), ([A-Za-z0-9]+), L\"(.*)\", L\"(.*)\"\\)[ \t]*$")
    set(id "${CMAKE_MATCH_1}")
    set(name "${CMAKE_MATCH_2}")
    set(en "${CMAKE_MATCH_3}")
    set(de "${CMAKE_MATCH_4}")
    rc_text(en "${en}")
    rc_text(de "${de}")
    string(APPEND english "  ${id}, \"${en}\"\n")
    string(APPEND german "  ${id}, \"${de}\"\n")
    string(APPEND ids "    kStr${name} = ${id},\n")
    math(EXPR count "${count} + 1")
  elseif(line MATCHES "^STR")
    message(FATAL_ERROR "${INPUT}: cannot read line: ${line}")
  endif()
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "${INPUT}: no strings found")
endif()

if(HEADER_OUTPUT)
  set(h "// Generated from strings.inc by StringTables.cmake; edit strings.inc instead.\n")
  string(APPEND h "#pragma once\n\n#include <cstdint>\n\nnamespace vellora {\n\n")
  string(APPEND h "// The ids of the program's texts (LoadResString).\nenum StringId : std::int32_t {\n${ids}};\n\n")
  string(APPEND h "}  // namespace vellora\n")
  write_if_changed("${HEADER_OUTPUT}" "${h}")
endif()

if(RC_OUTPUT)
  set(rc "// Generated from strings.inc by StringTables.cmake; edit strings.inc instead.\n")
  string(APPEND rc "#pragma code_page(65001)\n")
  string(APPEND rc "#include <windows.h>\n\n")
  string(APPEND rc "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n${english}END\n\n")
  string(APPEND rc "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n${german}END\n")
  write_if_changed("${RC_OUTPUT}" "${rc}")
endif()
