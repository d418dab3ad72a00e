# The native command and its library in one private folder, so that each finds the other
# beside itself, with the command linked into the path: `cmake --install` and the .deb.
set(private lib/tarvelox)
install(TARGETS tarvelox RUNTIME DESTINATION ${private})
install(TARGETS bregexp LIBRARY DESTINATION ${private})
# The program's folder is where the link points, so the library beside it is found.
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(CREATE_LINK ../${private}/tarvelox \"\${bin}/tarvelox\" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/bin/tarvelox\")")
install(FILES ${help} copyright DESTINATION share/doc/tarvelox)
install(FILES ${shipped}/sample.lst DESTINATION share/doc/tarvelox/examples)
# The help names the licences of what the program uses; Oniguruma comes from its own
# package, but its licence is where the help says.
install(FILES licenses/Oniguruma.txt DESTINATION share/doc/tarvelox/licenses)

# The manual page, compressed as Debian ships them (no name or time stamp inside, so that
# the package is the same at every build), and the completion of bash.
configure_file(tarvelox.1 ${shipped}/tarvelox.1 @ONLY)
execute_process(COMMAND gzip -9nf ${shipped}/tarvelox.1 RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot compress the manual page")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS tarvelox.1 tarvelox.bash-completion)
install(FILES ${shipped}/tarvelox.1.gz DESTINATION share/man/man1)
install(FILES tarvelox.bash-completion DESTINATION share/bash-completion/completions RENAME tarvelox)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_VENDOR} <${TARVELOX_SUPPORT_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack puts the summary first and indents this text for the control file.
set(CPACK_PACKAGE_DESCRIPTION "Tarvelox applies a find and replace text, or every pattern of a replace list,
to many files at once, literally or as regular expressions, aware of
Shift-JIS double-byte characters and never converting the encoding. Each file
is rewritten through a temporary file and replaced atomically, optionally
keeping a backup; a result log counts the replacements of every file.

This package holds the command-line program tarvelox and its
regular-expression library.")
