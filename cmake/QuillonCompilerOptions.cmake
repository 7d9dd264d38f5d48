# Warnings and sanitizers, applied per target.

if(QUILLON_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLON_FUZZ)
    # Coverage instrumentation for everything the fuzzer links.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

function(quillon_set_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8 /permissive-)
        if(QUILLON_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        # No contraction into fused multiply-adds: every diameter step must be
        # an IEEE double operation of its own, on every compiler and machine.
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
        if(QUILLON_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

if(EMSCRIPTEN)
    # The core reports a number beyond a double by an exception, which
    # Emscripten turns off by default; without it the module would abort.
    # WebAssembly's own exceptions: a third of the size of the JavaScript
    # kind (every browser since 2022 has them, and node 20).
    add_compile_options(-fwasm-exceptions)
    add_link_options(-fwasm-exceptions)
endif()
