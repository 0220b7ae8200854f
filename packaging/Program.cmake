# add_gzipped(TARGET FILE): FILE.gz beside FILE in the current build folder, made with every build,
# compressed as Debian wants manual pages and changelogs (best, and without a time stamp).
function(add_gzipped target file)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND gzip -9nkf ${file}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file})
    add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()

# What a program's folder supplies to its package, in NAME/packaging: texts.cmake, its texts; ID.svg,
# its scalable icon; PanelIcon.cpp, its icon drawn for panel sizes (see packaging/icons/GridPainter.h).

# The manual pages' SEE ALSO of a program: every other program of PROGRAMS (programs.txt).
function(program_see_also name out)
    set(pages)
    foreach(other IN LISTS PROGRAMS)
        if(NOT other STREQUAL name)
            list(APPEND pages ".BR ${other} (1)")
        endif()
    endforeach()
    list(JOIN pages ",\n" text)
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The texts of a program, from NAME/packaging/texts.cmake, as ARG_ variables of the caller.
macro(read_program_texts name)
    include(${PROJECT_SOURCE_DIR}/${name}/packaging/texts.cmake)
    foreach(text ID TITLE TITLE_JA SUMMARY SUMMARY_JA KEYWORDS KEYWORDS_JA DESCRIPTION DESCRIPTION_JA
            INTERFACE_JA WINDOW WINDOW_JA TRACE TRACE_NOTE TRACE_NOTE_JA)
        set(ARG_${text} "${${text}}")
    endforeach()
    program_see_also(${name} ARG_SEE_ALSO)
endmacro()

# get_program_text(NAME TEXT OUT): one text of a program, such as its ID or TITLE, into OUT.
function(get_program_text name text out)
    read_program_texts(${name})
    set(${out} "${ARG_${text}}" PARENT_SCOPE)
endfunction()

# configure_program_info(OUTPUT)
# Writes OUTPUT, the programInfo() of a program, from the caller's ARG_ texts. They stand in C++ raw
# string literals, which end only at the sequence )text" that no text may hold.
function(configure_program_info output)
    foreach(text ARG_NAME ARG_ID ARG_SUMMARY ARG_TITLE_JA ARG_SUMMARY_JA ARG_INTERFACE_JA)
        string(FIND "${${text}}" ")text\"" end)
        if(NOT end EQUAL -1)
            message(FATAL_ERROR "${text} holds )text\", which would end its string in C++: ${${text}}")
        endif()
    endforeach()
    configure_file(${PROJECT_SOURCE_DIR}/packaging/ProgramInfo.cpp.in ${output} @ONLY)
endfunction()

# add_program(TARGET NAME name LIBS ..)
# Builds a program from main.cpp under its installed lower-case name, with its icon as the window
# icon and its texts (NAME/packaging/texts.cmake) for --help and its About window, and installs it
# with its desktop data.
function(add_program target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAME" "LIBS")
    read_program_texts(${ARG_NAME})
    set(own ${PROJECT_SOURCE_DIR}/${ARG_NAME}/packaging)
    configure_program_info(ProgramInfo.cpp)
    qt_add_executable(${target} main.cpp ${CMAKE_CURRENT_BINARY_DIR}/ProgramInfo.cpp)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_NAME})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} host)
    qt_add_resources(${target} ${ARG_NAME}_icon PREFIX /icons BASE ${own} FILES ${own}/${ARG_ID}.svg)
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install_program_data(${ARG_NAME})
endfunction()

# The sizes of a desktop panel that get an icon drawn for them, beside the scalable one.
set(PANEL_ICON_SIZES 16 22 24 32)

# install_program_data(NAME)
# Makes and installs what a desktop reads of a program: its menu entry, icons (scalable, and drawn for
# each panel size), AppStream metainfo and
# manual pages (English, and Japanese under man/ja), from its texts.
function(install_program_data name)
    read_program_texts(${name})
    set(ARG_NAME ${name})
    set(packaging ${PROJECT_SOURCE_DIR}/packaging)
    set(own ${PROJECT_SOURCE_DIR}/${name}/packaging)
    string(TOUPPER "${ARG_NAME}" ARG_NAME_UPPER)
    string(SUBSTRING "${ARG_SUMMARY}" 0 1 first)
    string(SUBSTRING "${ARG_SUMMARY}" 1 -1 rest)
    string(TOLOWER "${first}" first)
    set(ARG_SUMMARY_LOWER "${first}${rest}")

    configure_file(${packaging}/program.desktop.in ${ARG_ID}.desktop @ONLY)
    configure_file(${packaging}/program.metainfo.xml.in ${ARG_ID}.metainfo.xml @ONLY)
    configure_file(${packaging}/program.1.in ${ARG_NAME}.1 @ONLY)
    add_gzipped(${ARG_NAME}_manual ${ARG_NAME}.1)
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/ja)
    configure_file(${packaging}/program.ja.1.in ja/${ARG_NAME}.1 @ONLY)
    add_gzipped(${ARG_NAME}_manual_ja ja/${ARG_NAME}.1)

    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${own}/${ARG_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # draw_icons is made in packaging/CMakeLists.txt, from every program's PanelIcon.cpp.
    set(pngs)
    foreach(size ${PANEL_ICON_SIZES})
        set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${ARG_ID}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
            COMMAND draw_icons ${ARG_ID} ${size} ${png}
            DEPENDS draw_icons)
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
        list(APPEND pngs ${png})
    endforeach()
    add_custom_target(${ARG_NAME}_panel_icons ALL DEPENDS ${pngs})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ja/${ARG_NAME}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
endfunction()
