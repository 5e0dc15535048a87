# What the "player" component installs besides the program: the example scenes with their
# touch scripts and textures, an example systemd unit, and a man page made from --help
# (when help2man is there).
set(DRAVIK_EXAMPLES_DIR ${CMAKE_INSTALL_DATADIR}/dravik-player/examples)
file(GLOB DRAVIK_EXAMPLE_FILES CONFIGURE_DEPENDS examples/*.xml examples/*.touch)
install(FILES ${DRAVIK_EXAMPLE_FILES} DESTINATION ${DRAVIK_EXAMPLES_DIR} COMPONENT player)
install(DIRECTORY examples/textures DESTINATION ${DRAVIK_EXAMPLES_DIR} COMPONENT player)
# The example systemd unit that starts the player on a table with the machine.
install(FILES docs/dravik-player.service DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dravik-player COMPONENT player)

# Sanitizer builds leave it out: their player is not what gets installed.
find_program(HELP2MAN help2man)
if(HELP2MAN AND NOT DRAVIK_SANITIZE)
  set(manual ${PROJECT_BINARY_DIR}/dravik-player.1)
  add_custom_command(OUTPUT ${manual}.gz
    COMMAND ${HELP2MAN} --no-info --section 1 --name "plays scenes of multi-user touch behaviours"
            --output ${manual} $<TARGET_FILE:dravik-player>
    COMMAND gzip -9nf ${manual}
    DEPENDS dravik-player
    COMMENT "Writing the man page of dravik-player")
  add_custom_target(dravik-player-manual ALL DEPENDS ${manual}.gz)
  install(FILES ${manual}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT player)
endif()
