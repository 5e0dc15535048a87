# The three libraries are shared by default (BUILD_SHARED_LIBS=OFF makes static archives).
# They export only what is marked DRAVIK_API (framework/Export.h): everything else, inline
# functions included, is hidden, so the libraries' internals can change without breaking
# the programs linked to them. The soname carries the major version: a program built
# against 0.x runs with every later 0.y.
option(BUILD_SHARED_LIBS "Build the libraries as shared libraries" ON)

function(dravik_library target)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    # Position-independent in both kinds and without the <target>_EXPORTS define (the export
    # macro does not need it), so that a static and a shared build compile the same objects.
    POSITION_INDEPENDENT_CODE ON
    DEFINE_SYMBOL "")
endfunction()

# Programs installed outside the system's library folders find the libraries beside them.
list(FIND CMAKE_PLATFORM_IMPLICIT_LINK_DIRECTORIES ${CMAKE_INSTALL_FULL_LIBDIR} dravik_system_libdir)
if(dravik_system_libdir EQUAL -1)
  set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
endif()
