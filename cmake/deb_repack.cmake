# Run by CPack after it has made the package: unpacks it and packs it again in place, so that
#  - the postinst and postrm that only run ldconfig are gone (scripts that do anything else stop
#    the build);
#  - the same files give the same bytes, wherever and whenever they are built: every file's
#    time is the build's one date (tools/source-date-epoch), which dpkg-deb also takes for the
#    archive's own members from SOURCE_DATE_EPOCH, and the permissions are those of a umask of
#    022, whatever the builder's.
# Then it writes the package's SHA-256 sum into SHA256SUMS beside it.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tools/source-date-epoch
                OUTPUT_VARIABLE date OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(ENV{SOURCE_DATE_EPOCH} ${date})
set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  set(tree ${CPACK_TOPLEVEL_DIRECTORY}/repack)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  foreach(script postinst postrm)
    if(NOT EXISTS ${tree}/DEBIAN/${script})
      continue()
    endif()
    file(READ ${tree}/DEBIAN/${script} text)
    if(NOT text MATCHES "^#!/bin/sh\n\nset -e\n\nif [^\n]*\n\tldconfig\nfi\n$")
      message(FATAL_ERROR "${script} does more than run ldconfig:\n${text}")
    endif()
    file(REMOVE ${tree}/DEBIAN/${script})
  endforeach()
  execute_process(COMMAND chmod -R u+rwX,go+rX,go-w ${tree} COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND find ${tree} -exec touch --no-dereference --date=@${date} {} +
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${package}
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
  file(SHA256 ${package} sum)
  get_filename_component(name ${package} NAME)
  string(APPEND sums "${sum}  ${name}\n")
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")
