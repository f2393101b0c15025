# What `cmake --install` puts in place: the program, its desktop entry and its
# icon in the standard freedesktop.org folders, so the game shows up in a
# desktop's application menu.
include(GNUInstallDirs)

install(TARGETS tavelo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TAVELO_BUILD_UI)
  set(tavelo_icons ${CMAKE_CURRENT_SOURCE_DIR}/data/icons)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/data/tavelo.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${tavelo_icons}/tavelo.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${tavelo_icons}/${size}x${size}/tavelo.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
