# What `cmake --install` puts where. The Debian package (debian/) is built from these
# rules; debhelper adds the package's own documents and compresses the manual pages.
# Games go where Debian keeps them: /usr/games.

include(GNUInstallDirs)

set(ROLVAN_INSTALL_GAMESDIR "games" CACHE STRING
    "Folder under the install prefix that takes rolvan and rolvan-analyse")
# The project's pages and its git repository, for the AppStream metadata. The pictures it
# shows are those of docs/ at the release's tag, so they match the release that lists them.
set(ROLVAN_HOMEPAGE "https://quendel.org/rolvan/" CACHE STRING "The project's web page")
set(ROLVAN_REPOSITORY "${ROLVAN_HOMEPAGE}source/" CACHE STRING
    "The git repository, which also shows its files at any tag")
set(ROLVAN_RELEASE_TAG "v${PROJECT_VERSION}")
set(ROLVAN_SCREENSHOTS_URL "${ROLVAN_REPOSITORY}plain/docs")
set(ROLVAN_SCREENSHOTS_QUERY "?h=${ROLVAN_RELEASE_TAG}")
# tools/screenshot.sh makes every picture at one size; the metadata gives the size of the
# first, read from its PNG header (width and height as 32-bit big-endian numbers).
file(READ ${CMAKE_SOURCE_DIR}/docs/screenshot.png png_size OFFSET 16 LIMIT 8 HEX)
string(SUBSTRING ${png_size} 0 8 png_width)
string(SUBSTRING ${png_size} 8 8 png_height)
math(EXPR ROLVAN_SCREENSHOT_WIDTH "0x${png_width}")
math(EXPR ROLVAN_SCREENSHOT_HEIGHT "0x${png_height}")

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
add_custom_target(rolvan_desktop_files ALL DEPENDS ${ROLVAN_ICON_PNGS})

# AppStream 1.0 (Debian 13) names the developer in <developer> and calls developer_name
# deprecated; older readers (Debian 12's AppStream 0.16) know only developer_name. The
# metadata carries it for the release's own AppStream when that is older than 1.0.
find_program(APPSTREAMCLI appstreamcli REQUIRED)
execute_process(COMMAND ${APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_version)
string(REGEX MATCH "[0-9]+(\\.[0-9]+)+" appstream_version "${appstream_version}")
set(ROLVAN_DEVELOPER_NAME "")
if(appstream_version VERSION_LESS 1.0)
  set(ROLVAN_DEVELOPER_NAME "<developer_name>The Rolvan developers</developer_name>
  <developer_name xml:lang=\"de\">Die Rolvan-Entwickler</developer_name>")
endif()
configure_file(res/desktop/${ROLVAN_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/desktop/${ROLVAN_APP_ID}.metainfo.xml @ONLY)

install(TARGETS rolvan rolvan-analyse RUNTIME DESTINATION ${ROLVAN_INSTALL_GAMESDIR})
install(FILES res/desktop/${ROLVAN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${ROLVAN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/desktop/rolvan.6 analyse/rolvan-analyse.6
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
