# Writes the CIE tables that colord-data ships under /usr/share/colord as a
# C++ source file, at build time:
#   cmake -DCOLORD_DIR=/usr/share/colord -DOUTPUT=CieTablesData.cpp -P GenerateCieTables.cmake
# Each CGATS file gives SPECTRAL_START_NM, SPECTRAL_END_NM and SPECTRAL_BANDS and
# one data set of rows (one row for a spectral power distribution, three for
# colour-matching functions and the daylight basis). A file whose row length
# does not match its band count stops the build rather than shift a table.

function(read_cgats path out_start out_step out_rows)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "${path} is missing: install the Debian package colord-data")
  endif()
  file(READ "${path}" text)
  foreach(key START_NM END_NM BANDS)
    if(NOT text MATCHES "SPECTRAL_${key}[ \t]+\"?([0-9.]+)")
      message(FATAL_ERROR "${path}: no SPECTRAL_${key}")
    endif()
    set(${key} ${CMAKE_MATCH_1})
  endforeach()
  string(REGEX REPLACE "\\..*" "" start "${START_NM}")
  string(REGEX REPLACE "\\..*" "" end "${END_NM}")
  math(EXPR step "(${end} - ${start}) / (${BANDS} - 1)")
  math(EXPR check "${start} + ${step} * (${BANDS} - 1)")
  if(NOT check EQUAL end)
    message(FATAL_ERROR "${path}: ${BANDS} bands do not divide ${start}..${end} nm evenly")
  endif()
  string(FIND "${text}" "\nBEGIN_DATA\n" begin)
  if(begin LESS 0)
    message(FATAL_ERROR "${path}: no data set")
  endif()
  math(EXPR begin "${begin} + 12")
  string(SUBSTRING "${text}" ${begin} -1 data)
  string(FIND "${data}" "\nEND_DATA" finish)
  if(finish LESS 0)
    message(FATAL_ERROR "${path}: the data set does not end")
  endif()
  string(SUBSTRING "${data}" 0 ${finish} data)
  string(STRIP "${data}" data)
  string(REPLACE "\n" ";" lines "${data}")
  set(rows "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(REGEX REPLACE "[ \t]+" ";" values "${line}")
    list(LENGTH values count)
    if(NOT count EQUAL BANDS)
      message(FATAL_ERROR "${path}: a row of ${count} values for ${BANDS} bands")
    endif()
    foreach(value IN LISTS values)
      if(NOT value MATCHES "^-?[0-9]+(\\.[0-9]*)?([eE][-+]?[0-9]+)?$")
        message(FATAL_ERROR "${path}: '${value}' is not a number")
      endif()
    endforeach()
    string(REPLACE ";" ", " values "${values}")
    list(APPEND rows "{${values}}")
  endforeach()
  set(${out_start} ${start} PARENT_SCOPE)
  set(${out_step} ${step} PARENT_SCOPE)
  set(${out_rows} "${rows}" PARENT_SCOPE)
endfunction()

set(body "// Generated at build time by GenerateCieTables.cmake from ${COLORD_DIR}\n// (Debian package colord-data). Do not edit.\n#include \"CieTables.h\"\n\nnamespace colorimetry::cie {\n")

# name, file, rows expected
set(tables
  "observer1931|cmf/CIE1931-2deg-XYZ.cmf|3"
  "observer1964|cmf/CIE1964-10deg-XYZ.cmf|3"
  "daylightBasis|ref/CIE-1986-daylight-SPD.cmf|3"
  "illuminantA|illuminant/CIE-A.sp|1"
  "illuminantC|illuminant/CIE-C.sp|1"
  "illuminantD50|illuminant/CIE-D50.sp|1"
  "illuminantD55|illuminant/CIE-D55.sp|1"
  "illuminantD65|illuminant/CIE-D65.sp|1"
  "illuminantF2|illuminant/CIE-F2.sp|1"
  "illuminantF7|illuminant/CIE-F7.sp|1"
  "illuminantF11|illuminant/CIE-F11.sp|1")
foreach(entry IN LISTS tables)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 file)
  list(GET parts 2 expected)
  read_cgats("${COLORD_DIR}/${file}" start step rows)
  list(LENGTH rows count)
  if(NOT count EQUAL expected)
    message(FATAL_ERROR "${file}: ${count} rows, expected ${expected}")
  endif()
  set(index 0)
  set(rowNames "")
  foreach(row IN LISTS rows)
    string(APPEND body "static const double ${name}Row${index}[] = ${row};\n")
    list(APPEND rowNames "${name}Row${index}")
    math(EXPR index "${index} + 1")
  endforeach()
  list(GET rows 0 first)
  string(REGEX MATCHALL "," commas "${first}")
  list(LENGTH commas bands)
  math(EXPR bands "${bands} + 1")
  foreach(i RANGE 2)
    if(i LESS count)
      list(GET rowNames ${i} rowName)
    else()
      set(rowName "nullptr")
    endif()
    set(row${i} ${rowName})
  endforeach()
  string(APPEND body "const Table ${name} = {\"${file}\", ${start}, ${step}, ${bands}, {${row0}, ${row1}, ${row2}}};\n\n")
endforeach()
string(APPEND body "} // namespace colorimetry::cie\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
