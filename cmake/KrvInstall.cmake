# `cmake --install` puts the runtime's libraries, its headers, korvane-pack and
# a package description under the prefix, so that one machine builds the
# runtime once and programs find it with find_package(Korvane).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(KRV_INSTALL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Korvane)
set(KRV_INSTALL_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/korvane)

# Every runtime library, named after its folder, the process entry, and what
# a program links.
set(krv_exported krv_main krv_runtime)
foreach(dir IN LISTS KRV_SUBSYSTEMS)
  get_filename_component(name ${dir} NAME)
  if(dir MATCHES "^runtime/" AND TARGET krv_${name})
    list(APPEND krv_exported krv_${name})
  endif()
endforeach()

# The libraries name the checkout as their include folder; that folder is the
# build's only, and installed the headers' folder stands in for it.
foreach(target IN LISTS krv_exported)
  get_target_property(dirs ${target} INTERFACE_INCLUDE_DIRECTORIES)
  if(NOT dirs)
    continue()
  endif()
  set(wrapped)
  foreach(dir IN LISTS dirs)
    set(inTree OFF)
    if(NOT dir MATCHES "^\\$<")
      cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${dir}" NORMALIZE inSource)
      cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${dir}" NORMALIZE inBuild)
      if(inSource OR inBuild)
        set(inTree ON)
      endif()
    endif()
    if(inTree)
      list(APPEND wrapped "$<BUILD_INTERFACE:${dir}>")
    else()
      list(APPEND wrapped "${dir}")
    endif()
  endforeach()
  set_property(TARGET ${target} PROPERTY INTERFACE_INCLUDE_DIRECTORIES "${wrapped}")
endforeach()
target_include_directories(krv_runtime INTERFACE $<INSTALL_INTERFACE:${KRV_INSTALL_INCLUDE_DIR}>)
set_target_properties(krv_runtime PROPERTIES EXPORT_NAME runtime)

install(TARGETS ${krv_exported} EXPORT KorvaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${KRV_INSTALL_INCLUDE_DIR})
if(TARGET krv_pack)
  set_target_properties(krv_pack PROPERTIES EXPORT_NAME pack)
  install(TARGETS krv_pack EXPORT KorvaneTargets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/runtime DESTINATION ${KRV_INSTALL_INCLUDE_DIR}
  FILES_MATCHING PATTERN "*.h"
  PATTERN "fake" EXCLUDE)
install(EXPORT KorvaneTargets NAMESPACE Korvane:: DESTINATION ${KRV_INSTALL_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/KorvaneConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/KorvaneConfig.cmake
  INSTALL_DESTINATION ${KRV_INSTALL_CMAKE_DIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KorvaneConfig.cmake DESTINATION ${KRV_INSTALL_CMAKE_DIR})
