# Run by cpack after it has built the Debian package: sets the package's
# Installed-Size to what dpkg installs. CPack adds up the sizes of folders and
# the files behind symbolic links too (bin/kinsight counts the program twice);
# dpkg-gencontrol's rule is one KiB for each folder and, for files and links,
# their own size in KiB, rounded up.
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
    if(NOT deb MATCHES "\\.deb$")
        continue()
    endif()
    set(tree "${CPACK_TOPLEVEL_DIRECTORY}/installed-size")
    file(REMOVE_RECURSE "${tree}")
    execute_process(COMMAND dpkg-deb --raw-extract "${deb}" "${tree}" COMMAND_ERROR_IS_FATAL ANY)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${tree}/*")
    set(kib 0)
    foreach(entry IN LISTS entries)
        if(entry MATCHES "^${tree}/DEBIAN(/|$)")
            continue()
        elseif(IS_SYMLINK "${entry}")
            file(READ_SYMLINK "${entry}" target)
            string(LENGTH "${target}" bytes)
        elseif(IS_DIRECTORY "${entry}")
            set(bytes 1024)
        else()
            file(SIZE "${entry}" bytes)
        endif()
        math(EXPR kib "${kib} + (${bytes} + 1023) / 1024")
    endforeach()
    file(READ "${tree}/DEBIAN/control" control)
    string(REGEX REPLACE "\nInstalled-Size: [0-9]+\n" "\nInstalled-Size: ${kib}\n" control "${control}")
    file(WRITE "${tree}/DEBIAN/control" "${control}")
    execute_process(COMMAND dpkg-deb --root-owner-group --build "${tree}" "${deb}"
        OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE_RECURSE "${tree}")
endforeach()
