# One place for the compile settings every target of the project gets.
option(KESTRUN_WERROR "Treat warnings as errors" OFF)
option(KESTRUN_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(kestrun_apply_settings target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(KESTRUN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(KESTRUN_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# A static library of the core: plain C++20, never Qt.
function(kestrun_core_library name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    kestrun_apply_settings(${name})
    target_link_libraries(kestrun_core INTERFACE ${name})
endfunction()

# A GoogleTest executable registered with CTest, case by case.
function(kestrun_test name)
    add_executable(${name} ${ARGN})
    kestrun_apply_settings(${name})
    target_link_libraries(${name} PRIVATE kestrun_test_support GTest::gtest GTest::gmock GTest::gtest_main)
    # Listed when CTest runs, not at build time, so a busy machine cannot fail the build.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 NO_PRETTY_VALUES
                         PROPERTIES TIMEOUT 300)
endfunction()

# A test of widgets: the same, with a QApplication for every case and the Qt library.
function(kestrun_window_test name)
    kestrun_test(${name} ${PROJECT_SOURCE_DIR}/tests/ui/qt_application.cpp ${ARGN})
    target_link_libraries(${name} PRIVATE kestrun_ui Qt6::Test)
endfunction()
