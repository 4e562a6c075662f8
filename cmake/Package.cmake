# The installed layout (the Filesystem Hierarchy Standard) and the Debian
# package built from it. Installed, the program finds its shipped data in
# <prefix>/share/tavel-builder beside <prefix>/bin and writes its own into
# the user's data folder.
include(GNUInstallDirs)

set(TAVEL_APP_ID org.tavelbuilder.TavelBuilder)
set(TAVEL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tavel-builder)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Packaging installs what is built already; it must not build the tests first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
target_compile_definitions(tavel_ui PRIVATE TAVEL_APP_ID="${TAVEL_APP_ID}")

set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)

# The icon theme wants fixed sizes beside the scalable one.
add_executable(render_icon scripts/render_icon.cpp)
target_link_libraries(render_icon PRIVATE Qt6::Gui Qt6::Svg)
set(icon_pngs)
foreach(size 48 128 256)
  set(png ${generated}/icon-${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:render_icon> ${packaging}/tavel-builder.svg ${size} ${png}
    DEPENDS render_icon ${packaging}/tavel-builder.svg
    COMMENT "Rendering the icon at ${size} px")
  list(APPEND icon_pngs ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${TAVEL_APP_ID}.png)
endforeach()

# Debian keeps manual pages and changelogs compressed, without a time stamp.
find_program(TAVEL_GZIP gzip REQUIRED)
foreach(file tavel.1 changelog)
  add_custom_command(OUTPUT ${generated}/${file}.gz
    COMMAND ${TAVEL_GZIP} -9nc ${packaging}/${file} > ${generated}/${file}.gz
    DEPENDS ${packaging}/${file}
    COMMENT "Compressing ${file}")
endforeach()
add_custom_target(tavel_package_files ALL DEPENDS ${icon_pngs} ${generated}/tavel.1.gz ${generated}/changelog.gz)

install(TARGETS tavel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/ DESTINATION ${TAVEL_DATA_DIR}
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(FILES ${packaging}/${TAVEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging}/${TAVEL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging}/tavel-builder.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${TAVEL_APP_ID}.svg)
install(FILES ${generated}/tavel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging}/tavel.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
  RENAME tavel)
install(FILES ${packaging}/copyright ${generated}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavel-builder)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavel-builder)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tavel Builder developers <developers@tavel-builder.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so dpkg-shlibdeps cannot see it: the plugin that draws the
# SVG icons of the toolbar and the menus.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt6svg6)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tavel-builder.example/)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "build drop-down menus for web pages
Tavel Builder builds a drop-down menu for web pages, up to three levels
deep, and shows it live in an embedded browser. Menus start from provided
or own styles; the page design sets fonts, hover effects, colour schemes
and button images. A project is saved as four web files, and the menu can
become a site of one page per item or go into an existing page.")
include(CPack)
