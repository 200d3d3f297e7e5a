# The fuzz targets, shared by the libFuzzer build (fuzz/) and the tests that replay the seed corpus
# and the crashers through each target's entry point with the ordinary compiler.
set(KESTRUN_FUZZ_TARGETS bmp ico pcx png rescale)
set(KESTRUN_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})

# Makes executable target from the entry point of fuzz target kind plus the given sources.
function(kestrun_fuzz_executable target kind)
    if(kind STREQUAL "rescale")
        add_executable(${target} ${KESTRUN_FUZZ_DIR}/rescale_fuzzer.cpp ${ARGN})
    else()
        string(TOUPPER ${kind} format)
        add_executable(${target} ${KESTRUN_FUZZ_DIR}/decoder_fuzzer.cpp ${ARGN})
        target_compile_definitions(${target} PRIVATE KESTRUN_FUZZ_FORMAT=FORMAT_${format})
    endif()
    target_link_libraries(${target} PRIVATE kestrun_image)
    kestrun_apply_settings(${target})
endfunction()
