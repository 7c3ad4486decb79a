# Installation and the Debian package. Only the dictionary executable is
# installed, with its man page, its shell completions, its licence, the
# provenance of its data and a systemd user unit for its DICT server (not
# enabled).
include(GNUInstallDirs)

# The man page is installed compressed, as Debian expects; -n keeps the
# compressed bytes independent of the file's name and time stamp.
set(LOMPERI_MAN_SOURCE "${CMAKE_CURRENT_SOURCE_DIR}/doc/lomperi.1")
set(LOMPERI_MAN_GZ "${CMAKE_CURRENT_BINARY_DIR}/doc/lomperi.1.gz")
add_custom_command(OUTPUT "${LOMPERI_MAN_GZ}"
  COMMAND "${CMAKE_COMMAND}" -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/doc"
  COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh "${LOMPERI_MAN_SOURCE}" "${LOMPERI_MAN_GZ}"
  DEPENDS "${LOMPERI_MAN_SOURCE}"
  COMMENT "Compressing the man page"
  VERBATIM)
add_custom_target(lomperi_man ALL DEPENDS "${LOMPERI_MAN_GZ}")
# Building just the executable must still leave everything install needs.
add_dependencies(lomperi lomperi_man)

install(TARGETS lomperi RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
# The shells' completions, written when the program is linked (src/).
install(FILES "${LOMPERI_COMPLETIONS}/lomperi" DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
install(FILES "${LOMPERI_COMPLETIONS}/_lomperi" DESTINATION "${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions")
install(FILES "${LOMPERI_COMPLETIONS}/lomperi.fish" DESTINATION "${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d")
install(FILES "${LOMPERI_MAN_GZ}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
install(FILES LICENSE cmake/debian/copyright DESTINATION "${CMAKE_INSTALL_DOCDIR}")
install(FILES data/README.md DESTINATION "${CMAKE_INSTALL_DOCDIR}" RENAME DATA-SOURCES.md)
# systemd looks for user units in lib/systemd/user, never a multiarch directory.
install(FILES cmake/systemd/lomperi-dict.service DESTINATION lib/systemd/user)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lomperi)
set(CPACK_PACKAGE_VENDOR "The Lomperi developers")
set(CPACK_PACKAGE_CONTACT "The Lomperi developers <lomperi@users.noreply.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Finnish-English dictionary for the text terminal")
# Lines of the package's long description; an empty element is a paragraph break.
set(LOMPERI_DEB_DESCRIPTION
  "Lomperi looks up Finnish words in the terminal. Type a word and it shows"
  "the headwords and the inflected forms that begin with it, and the English"
  "entry of the selected word, with the words its meanings mention expanded"
  "underneath and clickable."
  ""
  "The whole dictionary is compiled into the one executable, which needs no"
  "network and no data files. The English meanings come from Wiktionary"
  "(CC BY-SA 3.0), the word forms from the cspell Finnish word list and the"
  "Voikko morphology.")
list(JOIN LOMPERI_DEB_DESCRIPTION "\n" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_CURRENT_SOURCE_DIR}/LICENSE")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
