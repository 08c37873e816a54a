# `make windows`: the Windows program as a user downloads it, beside the build's zelvorn.exe and
# snd.wav: zelvorn-<version>-win32.zip, to unpack anywhere, and the installer
# zelvorn-<version>-setup.exe (cmake/zelvorn.nsi). Both hold the program without its debugging
# information, its sound and the licences.

# The program at the top of the build, with its sound beside it, where it looks for it.
set_target_properties(zelvorn PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
add_dependencies(zelvorn zelvorn_sound_file)

find_program(ZELVORN_ZIP zip REQUIRED)
find_program(ZELVORN_MAKENSIS makensis REQUIRED)

set(package zelvorn-${PROJECT_VERSION})
set(stage ${PROJECT_BINARY_DIR}/delivery/${package})
set(ZELVORN_WINDOWS_STAGE ${stage})
# Windows' Notepad before Windows 10 shows a text's lines only with CR LF line ends.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${stage}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/fonts/OFL.txt ${stage}/OFL.txt @ONLY NEWLINE_STYLE CRLF)
# MinGW's strip stamps the program's header with SOURCE_DATE_EPOCH, or else with the time of
# stripping: it gets the build's one date.
add_custom_command(OUTPUT ${stage}/zelvorn.exe
  COMMAND ${PROJECT_SOURCE_DIR}/tools/source-date-epoch
          ${CMAKE_STRIP} -o ${stage}/zelvorn.exe $<TARGET_FILE:zelvorn>
  DEPENDS zelvorn
  COMMENT "Stripping zelvorn.exe for delivery")
add_custom_command(OUTPUT ${stage}/snd.wav
  COMMAND ${CMAKE_COMMAND} -E copy ${ZELVORN_SOUND_FILE} ${stage}/snd.wav
  DEPENDS ${ZELVORN_SOUND_FILE})
set(staged ${stage}/zelvorn.exe ${stage}/snd.wav ${stage}/LICENSE.txt ${stage}/OFL.txt)

# Both made the same way each time (tools/pack-windows), with SHA256SUMS beside them.
set(ZELVORN_WINDOWS_ZIP ${PROJECT_BINARY_DIR}/${package}-win32.zip)
set(ZELVORN_WINDOWS_INSTALLER ${PROJECT_BINARY_DIR}/${package}-setup.exe)
set(packer ${PROJECT_SOURCE_DIR}/tools/pack-windows)
set(script ${PROJECT_SOURCE_DIR}/cmake/zelvorn.nsi)
# The 64-bit build's installer is a 64-bit one (see zelvorn.nsi).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(installer_kind -DWIN64)
endif()
add_custom_command(
  OUTPUT ${ZELVORN_WINDOWS_ZIP} ${ZELVORN_WINDOWS_INSTALLER} ${PROJECT_BINARY_DIR}/SHA256SUMS
  COMMAND ${packer} ${ZELVORN_ZIP} ${ZELVORN_MAKENSIS} ${stage} ${ZELVORN_WINDOWS_ZIP}
          ${ZELVORN_WINDOWS_INSTALLER} ${script}
          -V2 -INPUTCHARSET UTF8 ${installer_kind} -DVERSION=${PROJECT_VERSION}
          -DICON=${ZELVORN_ICON_FILE}
  DEPENDS ${packer} ${PROJECT_SOURCE_DIR}/tools/source-date-epoch ${script} ${staged}
          ${ZELVORN_ICON_FILE}
  COMMENT "Packing ${package}-win32.zip and the installer ${package}-setup.exe")

add_custom_target(zelvorn_delivery ALL DEPENDS ${ZELVORN_WINDOWS_ZIP} ${ZELVORN_WINDOWS_INSTALLER})
add_dependencies(zelvorn_delivery zelvorn_icon_file)
