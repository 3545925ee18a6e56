# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt Widgets program: harukaze_gui (app, wizard, demo) over the core, and the executable.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets)
qt_standard_project_setup()

file(GLOB HARUKAZE_GUI_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_SOURCE_DIR}/app/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/app/*.h ${CMAKE_CURRENT_SOURCE_DIR}/app/*.ui
    ${CMAKE_CURRENT_SOURCE_DIR}/app/*.qrc
    ${CMAKE_CURRENT_SOURCE_DIR}/wizard/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/wizard/*.h
    ${CMAKE_CURRENT_SOURCE_DIR}/wizard/*.ui
    ${CMAKE_CURRENT_SOURCE_DIR}/demo/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/demo/*.h ${CMAKE_CURRENT_SOURCE_DIR}/demo/*.ui)

if(HARUKAZE_GUI_SOURCES)
    set(CMAKE_AUTORCC ON)
    add_library(harukaze_gui STATIC ${HARUKAZE_GUI_SOURCES})
    target_include_directories(harukaze_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(harukaze_gui PUBLIC harukaze_core Qt6::Widgets)
    target_compile_definitions(harukaze_gui PUBLIC
        QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING QT_NO_FOREACH QT_DISABLE_DEPRECATED_BEFORE=0x060400)
    harukaze_strict_warnings(harukaze_gui)
    set_target_properties(harukaze_gui PROPERTIES AUTORCC ON)

    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
        add_executable(harukaze ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
        target_link_libraries(harukaze PRIVATE harukaze_gui)
        harukaze_strict_warnings(harukaze)
        install(TARGETS harukaze RUNTIME DESTINATION ${HARUKAZE_APP_INSTALL_DIR})

        # The program lives in its own folder beside its data files and help file (APP_DIR); the
        # launcher in bin/ starts it from there.
        file(RELATIVE_PATH HARUKAZE_BIN_TO_APP
            ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${HARUKAZE_APP_INSTALL_DIR})
        configure_file(${PROJECT_SOURCE_DIR}/data/harukaze.sh.in ${CMAKE_CURRENT_BINARY_DIR}/harukaze-launcher @ONLY)
        install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/harukaze-launcher
            DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME harukaze)
        install(FILES ${PROJECT_SOURCE_DIR}/data/harukaze.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
        foreach(icon_size 16 32 48 64 128 256)
            install(FILES ${PROJECT_SOURCE_DIR}/data/icons/hicolor/${icon_size}x${icon_size}/apps/harukaze.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${icon_size}x${icon_size}/apps)
        endforeach()
    endif()
endif()
