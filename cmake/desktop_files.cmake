# What the desktop needs of an installed program: the data folder, the menu entry, the AppStream record,
# the icon in every size a panel or menu asks for, and the autostart entry the settings switch writes.
set(ZINGBOARD_ICON_SIZES 16 22 24 32 48 64 128 256)
set(desktop_out ${PROJECT_BINARY_DIR}/desktop)

configure_file(data/desktop/app.desktop.in ${desktop_out}/${ZINGBOARD_APP_ID}.desktop @ONLY)
configure_file(data/desktop/autostart.desktop.in ${desktop_out}/autostart/${ZINGBOARD_APP_ID}.desktop @ONLY)
configure_file(data/desktop/app.metainfo.xml.in ${desktop_out}/${ZINGBOARD_APP_ID}.metainfo.xml @ONLY)

# Every PNG is rendered from the one SVG, so the sizes never drift apart.
set(icon_svg ${PROJECT_SOURCE_DIR}/data/artwork/Logo.svg)
set(icon_pngs)
foreach(size IN LISTS ZINGBOARD_ICON_SIZES)
  list(APPEND icon_pngs ${desktop_out}/icons/${size}x${size}/apps/${ZINGBOARD_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
                   COMMAND zingboard_render_icon ${icon_svg} ${desktop_out}/icons ${ZINGBOARD_APP_ID}
                           ${ZINGBOARD_ICON_SIZES}
                   DEPENDS zingboard_render_icon ${icon_svg}
                   COMMENT "Rendering the application icon")
add_custom_target(zingboard_icons ALL DEPENDS ${icon_pngs})

set(data_dir ${CMAKE_INSTALL_DATADIR})
install(DIRECTORY data/sounds DESTINATION ${data_dir}/zingboard FILES_MATCHING PATTERN "*.ogg")
install(FILES ${desktop_out}/autostart/${ZINGBOARD_APP_ID}.desktop DESTINATION ${data_dir}/zingboard/autostart)
install(FILES ${desktop_out}/${ZINGBOARD_APP_ID}.desktop DESTINATION ${data_dir}/applications)
install(FILES ${desktop_out}/${ZINGBOARD_APP_ID}.metainfo.xml DESTINATION ${data_dir}/metainfo)
install(FILES ${icon_svg} DESTINATION ${data_dir}/icons/hicolor/scalable/apps RENAME ${ZINGBOARD_APP_ID}.svg)
foreach(size IN LISTS ZINGBOARD_ICON_SIZES)
  install(FILES ${desktop_out}/icons/${size}x${size}/apps/${ZINGBOARD_APP_ID}.png
          DESTINATION ${data_dir}/icons/hicolor/${size}x${size}/apps)
endforeach()
