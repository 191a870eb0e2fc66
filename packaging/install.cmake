# What `cmake --install` puts where, and the Debian package built from it with CPack
# (`bash tools/build.sh package`). Games go where Debian keeps them: /usr/games.

include(GNUInstallDirs)

set(ROLVAN_INSTALL_GAMESDIR "games" CACHE STRING
    "Folder under the install prefix that takes rolvan and rolvan-analyse")
set(ROLVAN_HOMEPAGE "https://quendel.org/rolvan/" CACHE STRING "The project's web page")
set(ROLVAN_SCREENSHOTS_URL "https://quendel.org/rolvan/screenshots" CACHE STRING
    "Where the pictures of docs/ are published, for the AppStream metadata")
set(ROLVAN_MAINTAINER "The Rolvan developers <rolvan@quendel.org>" CACHE STRING
    "Maintainer of the Debian package")

set(ROLVAN_APP_ID org.quendel.Rolvan)
set(ROLVAN_ICON_SIZES 16 22 24 32 48 64 128 256)

# Every size of the icon is rendered from the one SVG, for the icon theme and for the
# program's own windows alike.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(ROLVAN_ICON_SVG ${CMAKE_SOURCE_DIR}/res/icons/${ROLVAN_APP_ID}.svg)
set(ROLVAN_ICON_PNGS)
foreach(size ${ROLVAN_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${ROLVAN_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${ROLVAN_ICON_SVG}
    DEPENDS ${ROLVAN_ICON_SVG}
    COMMENT "Rendering the ${size}x${size} icon")
  list(APPEND ROLVAN_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${ROLVAN_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

configure_file(res/desktop/${ROLVAN_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/desktop/${ROLVAN_APP_ID}.metainfo.xml @ONLY)

# Debian wants manual pages and the changelog compressed, without a time stamp inside.
find_program(GZIP gzip REQUIRED)
set(ROLVAN_COMPRESSED)
foreach(source res/desktop/rolvan.6 analyse/rolvan-analyse.6 packaging/debian/changelog)
  get_filename_component(name ${source} NAME)
  if(name STREQUAL "changelog")
    set(name changelog.Debian)
  endif()
  set(compressed ${CMAKE_BINARY_DIR}/desktop/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${GZIP} -9n -c ${CMAKE_SOURCE_DIR}/${source} > ${compressed}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    COMMENT "Compressing ${name}")
  list(APPEND ROLVAN_COMPRESSED ${compressed})
endforeach()
add_custom_target(rolvan_desktop_files ALL DEPENDS ${ROLVAN_ICON_PNGS} ${ROLVAN_COMPRESSED})

install(TARGETS rolvan rolvan-analyse RUNTIME DESTINATION ${ROLVAN_INSTALL_GAMESDIR})
install(FILES res/desktop/${ROLVAN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${ROLVAN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/desktop/rolvan.6.gz ${CMAKE_BINARY_DIR}/desktop/rolvan-analyse.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/debian/copyright ${CMAKE_BINARY_DIR}/desktop/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/rolvan)
install(FILES packaging/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME rolvan)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME rolvan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Rolvan developers")
set(CPACK_PACKAGE_CONTACT ${ROLVAN_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tile-laying board game against the computer")
# The synopsis above, then this as the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Rolvan is a board game for one player against the computer. Both sides take
turns laying one of three tiles on the square where the ball stands; the ball
then rolls along the lines of the tiles. A ball that reaches a Home square
scores for the side that moved, one that runs into a Border square or off the
board scores for the other side.
.
The computer looks ahead at four levels. A built-in editor places Home and
Border squares; colours, ball speed and board size can be chosen, and the game
speaks English and German. The package also holds rolvan-analyse, which runs
the rules and the move search on a position given on the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ROLVAN_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ROLVAN_MAINTAINER})
# The dependencies come from the binaries (dpkg-shlibdeps); Qt's German texts for its own
# buttons are welcome but not needed. Qt's Wayland plugin makes the game a native client of
# a Wayland desktop (its own app id, the desktop's scale, no X server needed); without it the
# game runs through XWayland, as on X11.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
# Built against Qt 6.4, the program reaches Qt's Wayland connection through Qt's private
# platform interface, whose binary layout holds for one Qt version only, as Debian's own
# packages that use it say. With a newer Qt it uses public API alone and needs no pin.
if(ROLVAN_QT_PRIVATE_API)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-base-abi (= ${Qt6Core_VERSION})")
endif()
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
