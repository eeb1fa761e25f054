# GoogleTest for the tests, from wherever it is: the sources given in GOOGLETEST_SOURCE_DIR (the
# cross build takes Debian's), else an installed package, else the pinned release fetched. Sets
# TAVERO_GTEST_MAIN to the library to link, or leaves it empty when there is none, and
# TAVERO_GTEST to the library without its main (for the benchmark, which shares the tests' helpers).
include_guard(GLOBAL)

set(GOOGLETEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources (empty: a package, or a download)")
option(TAVERO_FETCH_GOOGLETEST "Fetch GoogleTest when no sources or package are found" ON)
set(TAVERO_GTEST_MAIN "")

# The same C runtime as the program's everywhere.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)

if(GOOGLETEST_SOURCE_DIR AND EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(TAVERO_GTEST_MAIN gtest_main)
else()
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest QUIET)
  endif()
  if(GTest_FOUND)
    set(TAVERO_GTEST_MAIN GTest::gtest_main)
  elseif(TAVERO_FETCH_GOOGLETEST)
    include(FetchContent)
    FetchContent_Declare(googletest
      URL https://github.com/google/googletest/archive/refs/tags/v1.14.0.tar.gz
      URL_HASH SHA256=8ad598c73ad796e0d8280b082cebd82a630d73e73cd3c70057938a6501bba5d7)
    FetchContent_MakeAvailable(googletest)
    set(TAVERO_GTEST_MAIN gtest_main)
  endif()
endif()
string(REPLACE "_main" "" TAVERO_GTEST "${TAVERO_GTEST_MAIN}")
