# Installation: the two programs in bin, their data in share/velmaro, and the desktop's view of
# the program (menu entry, AppStream metadata, icons, manual pages, the study files' type). `cmake --install` and
# `make install` use these rules; CPack builds the Debian package from them.

include(GNUInstallDirs)

set(VELMARO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/velmaro)
# The program finds an installed copy of its data relative to its own folder.
file(RELATIVE_PATH data_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
  ${CMAKE_INSTALL_FULL_DATADIR}/velmaro)
target_compile_definitions(velmaro_ui_parts PRIVATE VELMARO_DATA_FROM_BIN="${data_from_bin}")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS velmaro velmaro-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${VELMARO_RUNTIME_DIR}/Reportes ${VELMARO_RUNTIME_DIR}/Ayuda
  DESTINATION ${VELMARO_DATA_INSTALL_DIR})

set(packaging_src ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_bin ${PROJECT_BINARY_DIR}/packaging)
install(FILES ${packaging_src}/org.velmaro.Velmaro.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_src}/org.velmaro.Velmaro.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The study files' type, so that a file manager opens studies with the program (the desktop
# entry takes a file); the package system's triggers rebuild the MIME database.
install(FILES ${packaging_src}/velmaro.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(icon context IN ZIP_LISTS VELMARO_ICONS VELMARO_ICON_CONTEXTS)
  install(FILES ${packaging_src}/${icon}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/${context})
  foreach(size IN LISTS VELMARO_ICON_SIZES)
    install(FILES ${packaging_bin}/icons/${size}/${icon}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/${context})
  endforeach()
endforeach()
install(FILES ${packaging_bin}/velmaro.1.gz ${packaging_bin}/velmaro-cli.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_bin}/velmaro.5.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man5)
# The package's name, lower case, whatever the project's spelling.
install(FILES ${packaging_src}/copyright ${packaging_bin}/changelog.Debian.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmaro)
