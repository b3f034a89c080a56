# Desktop integration, included from the top-level CMakeLists.txt: the menu entry, and the icon it
# shows (the program's own 48 x 48 icon, the same picture the window carries).
include(GNUInstallDirs)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/quillmark.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../assets/embed/icon.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps
        RENAME quillmark.png)
