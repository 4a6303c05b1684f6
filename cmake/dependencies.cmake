# Boost.Regex (header-only) and GoogleTest, found the same way in every build.

# The Windows build must not see the host's /usr/include, where glibc's headers
# would shadow mingw's: it gets a folder that holds only a link to boost/.
set(TOLVANE_BOOST_ROOT /usr/include/boost CACHE PATH "Boost headers (the boost/ folder)")
set(boost_only_dir ${CMAKE_BINARY_DIR}/boost-include)
file(MAKE_DIRECTORY ${boost_only_dir})
file(CREATE_LINK ${TOLVANE_BOOST_ROOT} ${boost_only_dir}/boost SYMBOLIC)
add_library(boost_regex INTERFACE)
target_include_directories(boost_regex SYSTEM INTERFACE ${boost_only_dir})
target_compile_definitions(boost_regex INTERFACE BOOST_REGEX_NO_LIB)

if(NOT TOLVANE_FUZZ)
  if(WIN32)
    # Built from Debian's sources with the cross compiler; they define GTest::gtest_main.
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
