# The libraries for a MinGW cross-build, taken from the build machine without its CMake packages:
# those name the machine's whole /usr/include, whose glibc headers must not reach the Windows
# compiler. Only the three header libraries are exposed, through links in the build tree.
# GoogleTest is built from its sources.

set(QW_HEADER_LIBRARY_SOURCE /usr/include
    CACHE PATH "Directory holding the nlohmann, spdlog and fmt header folders")
set(QW_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the tests")

set(qw_header_dir ${PROJECT_BINARY_DIR}/header-libraries)
file(MAKE_DIRECTORY ${qw_header_dir})
foreach(library nlohmann spdlog fmt)
  if(NOT EXISTS ${QW_HEADER_LIBRARY_SOURCE}/${library})
    message(FATAL_ERROR "${QW_HEADER_LIBRARY_SOURCE}/${library} is missing: install "
                        "nlohmann-json3-dev, libspdlog-dev and libfmt-dev (scripts/setup.sh)")
  endif()
  file(CREATE_LINK ${QW_HEADER_LIBRARY_SOURCE}/${library} ${qw_header_dir}/${library} SYMBOLIC)
endforeach()

qw_logging_libraries(${qw_header_dir})

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json
                      PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${qw_header_dir})

if(QW_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${QW_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # find_package(GTest) in tests/ takes these targets through an empty package file.
  set(qw_gtest_package ${PROJECT_BINARY_DIR}/googletest-package)
  file(WRITE ${qw_gtest_package}/GTestConfig.cmake
       "# GoogleTest built from source in this tree; its targets already exist.\n")
  set(GTest_DIR ${qw_gtest_package} CACHE PATH "" FORCE)
endif()
