# Writes the Windows string tables (English and German) from the program's
# one list of texts, src/resources/strings.inc.
#
#   cmake -DINPUT=<strings.inc> -DOUTPUT=<strings.rc> -P StringsToRc.cmake
#
# Each line "STR(<id>, L"<English>", L"<German>")" becomes one entry in the
# STRINGTABLE of each language. The texts stay UTF-8 and are written as plain
# (not L"") strings: with the code page pragma the resource compiler turns
# them into UTF-16 itself, whereas windres copies the bytes of a L"" string
# one by one and spoils every umlaut. The C escapes \r and \t become octal
# escapes, which every resource compiler reads, and \" becomes the doubled
# quote of .rc files.

if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "StringsToRc.cmake needs -DINPUT=... and -DOUTPUT=...")
endif()

file(STRINGS "${INPUT}" lines ENCODING UTF-8)

function(rc_text out text)
  string(REPLACE "\\r" "\\015" text "${text}")
  string(REPLACE "\\t" "\\011" text "${text}")
  string(REPLACE "\\\"" "\"\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(english "")
set(german "")
set(count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^STR\\(([0-9]+), L\"(.*)\", L\"(.*)\"\\)[ \t]*$")
    set(id "${CMAKE_MATCH_1}")
    set(en "${CMAKE_MATCH_2}")
    set(de "${CMAKE_MATCH_3}")
    rc_text(en "${en}")
    rc_text(de "${de}")
    string(APPEND english "  ${id}, \"${en}\"\n")
    string(APPEND german "  ${id}, \"${de}\"\n")
    math(EXPR count "${count} + 1")
  elseif(line MATCHES "^STR")
    message(FATAL_ERROR "${INPUT}: cannot read line: ${line}")
  endif()
endforeach()

if(count EQUAL 0)
  message(FATAL_ERROR "${INPUT}: no strings found")
endif()

set(rc "// Generated from strings.inc by StringsToRc.cmake; edit strings.inc instead.\n")
string(APPEND rc "#pragma code_page(65001)\n")
string(APPEND rc "#include <windows.h>\n\n")
string(APPEND rc "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US\nSTRINGTABLE\nBEGIN\n${english}END\n\n")
string(APPEND rc "LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\nSTRINGTABLE\nBEGIN\n${german}END\n")

# Only rewrite when something changed, so the resource is not rebuilt for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL rc)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${rc}")
