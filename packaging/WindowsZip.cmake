# The zip a Windows user unpacks and runs: the program, its library, the help, a sample
# replace list, a read-me, the program's own licence and the licences of what is linked in.
install(TARGETS tarvelox RUNTIME DESTINATION .)
# Loaded at run time: the library itself, no import library.
install(TARGETS bregexp RUNTIME DESTINATION . ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)
install(FILES ${help} ${shipped}/readme.txt ${shipped}/sample.lst DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION licenses RENAME Tarvelox.txt)
install(FILES licenses/Oniguruma.txt licenses/mingw-w64.txt DESTINATION licenses)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME tarvelox-${PROJECT_VERSION}-win64)
