# Helpers shared by every directory: deployment into the Wine prefix and test registration.

set(KREV_PREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
set(KREV_DEPLOY_LIST "${CMAKE_BINARY_DIR}/deploy-list.txt")
file(WRITE "${KREV_DEPLOY_LIST}.in" "")
set_property(GLOBAL PROPERTY KREV_DEPLOY_ITEMS "")

# krev_deploy(TARGET t DEST system32|ime) or krev_deploy(FILE path DEST system32|ime [AS name])
# ime is the installation directory C:\windows\system32\IME\VARDEKO\.
function(krev_deploy)
  cmake_parse_arguments(D "" "TARGET;FILE;DEST;AS" "" ${ARGN})
  if(D_DEST STREQUAL "ime")
    set(dest "system32/IME/VARDEKO")
  elseif(D_DEST STREQUAL "system32")
    set(dest "system32")
  else()
    message(FATAL_ERROR "krev_deploy: DEST must be system32 or ime")
  endif()
  if(D_TARGET)
    set(src "$<TARGET_FILE:${D_TARGET}>")
    if(D_AS)
      set(name "${D_AS}")
    else()
      set(name "$<TARGET_FILE_NAME:${D_TARGET}>")
    endif()
  else()
    get_filename_component(src "${D_FILE}" ABSOLUTE)
    if(D_AS)
      set(name "${D_AS}")
    else()
      get_filename_component(name "${D_FILE}" NAME)
    endif()
  endif()
  set_property(GLOBAL APPEND PROPERTY KREV_DEPLOY_ITEMS "${src}|${dest}/${name}")
endfunction()

# Written once all directories have registered their items (called from tests/CMakeLists.txt).
function(krev_write_deploy_list)
  get_property(items GLOBAL PROPERTY KREV_DEPLOY_ITEMS)
  string(REPLACE ";" "\n" text "${items}")
  file(GENERATE OUTPUT "${KREV_DEPLOY_LIST}" CONTENT "${text}\n")
endfunction()

set(KREV_TEST_ENV
  "WINEPREFIX=${KREV_PREFIX}"
  "WINEARCH=win32"
  "WINEDEBUG=-all"
  "WINEDLLOVERRIDES=mscoree,mshtml="
  # Test programs run from the build folder and load krevset.dll from the installation directory,
  # so the directory it reports is the one that holds the data files.
  "WINEPATH=C:\\windows\\system32\\IME\\VARDEKO"
  "LC_ALL=zh_CN.UTF-8"
  "LANG=zh_CN.UTF-8")

# krev_gtest(NAME n SOURCES ... [LIBS ...])
# A GoogleTest executable run under Wine in the prepared prefix. Tests share one prefix, so they
# run one at a time (RESOURCE_LOCK) and each test puts back what it changed.
function(krev_gtest)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE krevtest ${T_LIBS})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} --gtest_color=no)
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "${KREV_TEST_ENV}"
    FIXTURES_REQUIRED krev_prefix
    RESOURCE_LOCK krev_prefix
    TIMEOUT ${T_TIMEOUT})
endfunction()
