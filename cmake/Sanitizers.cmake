# Sanitizer flags for the whole tree (tests, libraries and the core alike). The tests' waits for what
# should come soon are longer by TOVRIN_TEST_SLOWDOWN, as the sanitizers slow media pipelines down.
set(TOVRIN_TEST_SLOWDOWN 1)
if(TOVRIN_SANITIZE STREQUAL "address")
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
    set(TOVRIN_TEST_SLOWDOWN 2)
elseif(TOVRIN_SANITIZE STREQUAL "thread")
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
    set(TOVRIN_TEST_SLOWDOWN 4)
elseif(NOT TOVRIN_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TOVRIN_SANITIZE must be empty, address or thread")
endif()
