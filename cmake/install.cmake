# What `cmake --install` puts in place: the program (and the window program it
# starts, outside the PATH), its manual page, its
# licence, and with the window its desktop entry, icon and AppStream metadata
# in the standard freedesktop.org folders, so the game shows up in a
# desktop's application menu and in software centres.
include(GNUInstallDirs)

install(TARGETS tavelo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TAVELO_BUILD_UI)
  install(TARGETS tavelo-window RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/tavelo)
endif()

# The manual page and the changelog go in compressed, as distributions keep
# them; -n leaves out the name and time stamp so that builds are repeatable.
find_program(TAVELO_GZIP gzip REQUIRED)
set(tavelo_compressed_docs)
foreach(doc data/tavelo.6 data/debian/changelog)
  get_filename_component(name ${doc} NAME)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/docs/${name})
  add_custom_command(
    OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_SOURCE_DIR}/${doc} ${out}
    COMMAND ${TAVELO_GZIP} -9nf ${out}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${doc}
    VERBATIM)
  list(APPEND tavelo_compressed_docs ${out}.gz)
endforeach()
add_custom_target(tavelo_docs ALL DEPENDS ${tavelo_compressed_docs})

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/docs/tavelo.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# The licence in the form a Debian system looks for it, with the changelog.
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/debian/copyright
              ${CMAKE_CURRENT_BINARY_DIR}/docs/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(TAVELO_BUILD_UI)
  set(tavelo_icons ${CMAKE_CURRENT_SOURCE_DIR}/data/icons)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/tavelo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/io.github.tavelo.tavelo.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${tavelo_icons}/tavelo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${tavelo_icons}/${size}x${size}/tavelo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
