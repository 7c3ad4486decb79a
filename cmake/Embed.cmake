# Embeds the data files of a directory into an object library with the
# assembler's .incbin, so the compiler never sees the bytes and a changed data
# file rebuilds only this one object. Which files there are, and which of them
# are required, comes from the one table of the sources.
set(LOMPERI_EMBED_TEMPLATE "${CMAKE_CURRENT_LIST_DIR}/embedded_data.S.in")
set(LOMPERI_DATA_FILE_TABLE "${CMAKE_CURRENT_LIST_DIR}/../src/core/morphology/data_files.def")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${LOMPERI_DATA_FILE_TABLE}")

# lomperi_data_file_table(names ids required): the table's columns as lists.
function(lomperi_data_file_table names_var ids_var required_var)
  file(STRINGS "${LOMPERI_DATA_FILE_TABLE}" rows REGEX "^LOMPERI_DATA_FILE")
  set(names "")
  set(ids "")
  set(required "")
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^LOMPERI_DATA_FILE\\(\"([^\"]+)\", *([a-z0-9_]+), *(true|false)\\)")
      message(FATAL_ERROR "cannot read the data-file row: ${row}")
    endif()
    list(APPEND names "${CMAKE_MATCH_1}")
    list(APPEND ids "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_3 STREQUAL "true")
      list(APPEND required "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  set(${names_var} "${names}" PARENT_SCOPE)
  set(${ids_var} "${ids}" PARENT_SCOPE)
  set(${required_var} "${required}" PARENT_SCOPE)
endfunction()

# An optional file is embedded when it exists at configure time or when a
# data set written at build time declares it (lomperi_data_set); otherwise it
# is embedded as an empty array.
function(lomperi_embed_data target data_dir)
  lomperi_data_file_table(names ids required)
  get_property(generated GLOBAL PROPERTY LOMPERI_GENERATED_DATA_FILES)
  set(LOMPERI_EMBED_ENTRIES "")
  set(deps "")
  foreach(file symbol IN ZIP_LISTS names ids)
    set(path "${data_dir}/${file}")
    if(NOT file IN_LIST required AND NOT EXISTS "${path}" AND NOT path IN_LIST generated)
      string(APPEND LOMPERI_EMBED_ENTRIES "lomperi_embed_empty ${symbol}\n")
      continue()
    endif()
    list(APPEND deps "${path}")
    string(APPEND LOMPERI_EMBED_ENTRIES
      "lomperi_embed ${symbol}, \"${path}\"\n")
  endforeach()
  # An optional file added later reconfigures, so that it is embedded.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${data_dir}")
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/${target}_data.S")
  configure_file("${LOMPERI_EMBED_TEMPLATE}" "${asm}" @ONLY)
  add_library(${target} OBJECT "${asm}")
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${deps}")
  target_sources(${target} INTERFACE "${CMAKE_SOURCE_DIR}/src/embedded/embedded_data.hpp")
  target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}/src")
endfunction()
