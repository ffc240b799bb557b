# tovrin_add_test(<name> SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest program per folder; every test runs on Qt's offscreen platform and knows the program folder.
function(tovrin_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE TOVRIN_TEST_SLOWDOWN=${TOVRIN_TEST_SLOWDOWN})
    tovrin_warnings(${name})
    if(NOT T_LABELS)
        set(T_LABELS unit)
    endif()
    # Tests never use a sound card. Test discovery (CMake 3.25) keeps one value per property, so the
    # variable comes with the command that runs each test.
    set_property(TARGET ${name} PROPERTY CROSSCOMPILING_EMULATOR env TOVRIN_AUDIO_SINK=fake)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${T_LABELS}" TIMEOUT 120
                   ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   ENVIRONMENT_MODIFICATION "TOVRIN_DIST_DIR=set:${TOVRIN_DIST_DIR}")
endfunction()
