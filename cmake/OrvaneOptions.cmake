# Compiler settings shared by every target of the project.
add_library(orvane_options INTERFACE)
target_compile_options(orvane_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                -Wnon-virtual-dtor -Wold-style-cast)
if(ORVANE_WERROR)
    target_compile_options(orvane_options INTERFACE -Werror)
endif()
# Text from files must go through an explicit decoding step.
target_compile_definitions(orvane_options INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                    QT_NO_CAST_FROM_BYTEARRAY
                                                    QT_NO_URL_CAST_FROM_STRING
                                                    ORVANE_VERSION="${PROJECT_VERSION}")
if(ORVANE_SANITIZE)
    set(orvane_sanitizers undefined)
    if(ORVANE_SANITIZE_ADDRESS)
        set(orvane_sanitizers address,undefined)
    endif()
    set(orvane_san -fsanitize=${orvane_sanitizers} -fno-sanitize-recover=undefined
                   -fno-omit-frame-pointer)
    target_compile_options(orvane_options INTERFACE ${orvane_san})
    target_link_options(orvane_options INTERFACE ${orvane_san})
endif()

# orvane_library(name folder-sources... LIBS deps...)
function(orvane_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC orvane_options ${ARG_LIBS})
endfunction()
