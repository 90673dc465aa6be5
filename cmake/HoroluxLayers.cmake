# horolux_layer(<target> <folder>): the target may include only what cmake/layers.txt lets
# <folder> include. Its include folder is a view, layers/<folder>/ in the build tree, with
# one link per allowed folder into the sources. Views are PRIVATE: linking a library never
# widens its dependant's view, and since the graph lists indirect dependencies too, each
# view already holds what the headers of its dependencies include. Tests and benchmarks
# are no layer and add the project root themselves.
set(HOROLUX_LAYERS_FILE ${PROJECT_SOURCE_DIR}/cmake/layers.txt)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY
    CMAKE_CONFIGURE_DEPENDS ${HOROLUX_LAYERS_FILE})

function(horolux_allowed_folders folder result)
    file(STRINGS ${HOROLUX_LAYERS_FILE} line REGEX "^${folder}:")
    if(NOT line)
        message(FATAL_ERROR "cmake/layers.txt has no line for ${folder}")
    endif()
    string(REGEX REPLACE "^${folder}:" "" line "${line}")
    separate_arguments(allowed UNIX_COMMAND "${line}")
    list(APPEND allowed ${folder})
    list(REMOVE_DUPLICATES allowed)
    set(${result} ${allowed} PARENT_SCOPE)
endfunction()

function(horolux_layer target folder)
    horolux_allowed_folders(${folder} allowed)
    set(view ${CMAKE_BINARY_DIR}/layers/${folder})
    get_property(made GLOBAL PROPERTY HOROLUX_VIEW_${folder})
    if(NOT made)
        # Made afresh at each configure, so that a folder taken out of the graph goes.
        file(REMOVE_RECURSE ${view})
        file(MAKE_DIRECTORY ${view})
        foreach(allowed_folder IN LISTS allowed)
            file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${allowed_folder} ${view}/${allowed_folder}
                SYMBOLIC)
        endforeach()
        set_property(GLOBAL PROPERTY HOROLUX_VIEW_${folder} TRUE)
    endif()
    target_include_directories(${target} PRIVATE ${view})
    set_target_properties(${target} PROPERTIES HOROLUX_LAYER ${folder})
    set_property(GLOBAL APPEND PROPERTY HOROLUX_LAYER_TARGETS ${target})
endfunction()

# A layer must not link a library of a folder it may not include either; checked once
# every folder has added its links.
function(horolux_check_layer_links)
    get_property(targets GLOBAL PROPERTY HOROLUX_LAYER_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(folder ${target} HOROLUX_LAYER)
        horolux_allowed_folders(${folder} allowed)
        get_target_property(links ${target} LINK_LIBRARIES)
        foreach(link IN LISTS links)
            if(TARGET ${link})
                get_target_property(other ${link} HOROLUX_LAYER)
                if(other AND NOT other IN_LIST allowed)
                    message(SEND_ERROR "${target} (${folder}/) links ${link} (${other}/), "
                        "which cmake/layers.txt does not allow")
                endif()
            endif()
        endforeach()
    endforeach()
endfunction()
cmake_language(DEFER CALL horolux_check_layer_links)
