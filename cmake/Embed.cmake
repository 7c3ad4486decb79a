# Embeds the four data files of a directory into an object library with the
# assembler's .incbin, so the compiler never sees the bytes and a changed data
# file rebuilds only this one object.
set(LOMPERI_EMBED_TEMPLATE "${CMAKE_CURRENT_LIST_DIR}/embedded_data.S.in")

# The files after the first four are optional and embedded as empty arrays
# when missing: without english.fst and english.bin the program has no English
# side, without headwords.bin it lists the headwords from glosses.fst, without
# inflections-multi-offsets.bin it walks the multi entries to find them.
function(lomperi_embed_data target data_dir)
  set(files glosses.fst glosses.bin inflections.fst inflections-multi.bin english.fst english.bin headwords.bin inflections-multi-offsets.bin)
  set(symbols glosses_fst glosses_bin inflections_fst inflections_multi_bin english_fst english_bin headwords_bin inflections_multi_offsets_bin)
  set(optional english.fst english.bin headwords.bin inflections-multi-offsets.bin)
  set(LOMPERI_EMBED_ENTRIES "")
  set(deps "")
  foreach(file symbol IN ZIP_LISTS files symbols)
    set(path "${data_dir}/${file}")
    if(file IN_LIST optional AND NOT EXISTS "${path}")
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
