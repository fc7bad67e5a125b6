# Install rules shared by the folders whose files the package carries.
include(GNUInstallDirs)

# Installed with --strip (as cpack does), a binary loses what Debian's own
# stripping removes as well: the compilers' version strings (.comment,
# .note), which a stripped binary does not need.
function(ostra_strip_installed target destination)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/$<TARGET_FILE_NAME:${target}>\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endfunction()

# A program under bin.
function(ostra_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  ostra_strip_installed(${target} ${CMAKE_INSTALL_BINDIR})
endfunction()

# A module the program loads itself, in a folder of the program's own.
function(ostra_install_module target destination)
  install(TARGETS ${target} LIBRARY DESTINATION ${destination})
  ostra_strip_installed(${target} ${destination})
endfunction()

# FILE compressed beside the build's other outputs, at build time, as
# Debian compresses manual pages and changelogs: gzip -9n keeps no name or
# time stamp inside, so the same source gives the same bytes. Sets
# OUT_VAR to the compressed file's path.
function(ostra_gzip file out_var)
  get_filename_component(name ${file} NAME)
  set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -9n --stdout ${file} > ${compressed}
    DEPENDS ${file}
    VERBATIM)
  add_custom_target(ostra_gzip_${name} ALL DEPENDS ${compressed})
  set(${out_var} ${compressed} PARENT_SCOPE)
endfunction()

# A manual page of section 1, installed compressed.
function(ostra_install_man_page page)
  ostra_gzip(${page} compressed)
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
