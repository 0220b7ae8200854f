# add_gzipped(TARGET FILE): FILE.gz beside FILE in the current build folder, made with every build,
# compressed as Debian wants manual pages and changelogs (best, and without a time stamp).
function(add_gzipped target file)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND gzip -9nkf ${file}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${file})
    add_custom_target(${target} ALL DEPENDS ${file}.gz)
endfunction()

# add_program(TARGET NAME name ID desktop-id TITLE .. TITLE_JA .. SUMMARY .. SUMMARY_JA ..
#             DESCRIPTION .. WINDOW .. KEYWORDS .. SEE_ALSO .. LIBS ..)
# Builds a program from main.cpp under its installed lower-case name, with its icon as the window
# icon, and installs it with its menu entry, icon, AppStream metainfo and manual page, all made from
# the texts given here.
function(add_program target)
    cmake_parse_arguments(PARSE_ARGV 1 ARG ""
        "NAME;ID;TITLE;TITLE_JA;SUMMARY;SUMMARY_JA;DESCRIPTION;WINDOW;KEYWORDS;SEE_ALSO" "LIBS")
    set(packaging ${PROJECT_SOURCE_DIR}/packaging)
    set(icon ${packaging}/icons/${ARG_ID}.svg)
    string(TOUPPER "${ARG_NAME}" ARG_NAME_UPPER)
    string(SUBSTRING "${ARG_SUMMARY}" 0 1 first)
    string(SUBSTRING "${ARG_SUMMARY}" 1 -1 rest)
    string(TOLOWER "${first}" first)
    set(ARG_SUMMARY_LOWER "${first}${rest}")

    configure_file(${packaging}/ProgramInfo.cpp.in ProgramInfo.cpp @ONLY)
    qt_add_executable(${target} main.cpp ${CMAKE_CURRENT_BINARY_DIR}/ProgramInfo.cpp)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_NAME})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} formhost)
    qt_add_resources(${target} ${ARG_NAME}_icon PREFIX /icons BASE ${packaging}/icons FILES ${icon})

    configure_file(${packaging}/program.desktop.in ${ARG_ID}.desktop @ONLY)
    configure_file(${packaging}/program.metainfo.xml.in ${ARG_ID}.metainfo.xml @ONLY)
    configure_file(${packaging}/program.1.in ${ARG_NAME}.1 @ONLY)
    add_gzipped(${ARG_NAME}_manual ${ARG_NAME}.1)

    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
