# How desktops see the installed program (not on Windows): the menu entry, the
# AppStream metainfo and the icon in the hicolor theme at every size drawn by
# scripts/make_images.py, all named by the program's application id.
set(PLOTVANE_APP_ID example.plotvane.Plotvane)
set(PLOTVANE_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/resources/desktop)

install(FILES ${PLOTVANE_DESKTOP_SOURCE}/${PLOTVANE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PLOTVANE_DESKTOP_SOURCE}/${PLOTVANE_APP_ID}.metainfo.xml DESTINATION share/metainfo)

file(GLOB PLOTVANE_ICONS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/plotvane-*.png)
foreach(icon IN LISTS PLOTVANE_ICONS)
    string(REGEX MATCH "plotvane-([0-9]+)\\.png$" _ "${icon}")
    set(size ${CMAKE_MATCH_1})
    install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${PLOTVANE_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/plotvane.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME ${PLOTVANE_APP_ID}.svg)
