# SPDX-FileCopyrightText: 2026 Vedira developers
# SPDX-License-Identifier: GPL-3.0-or-later

# vedira_add_test(<file> LIBS <libs...>): one Qt Test source, one executable, one ctest named
# after the file without its tst_ prefix. Every test runs offscreen, so window tests need no display.
function(vedira_add_test file)
    cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
    get_filename_component(exe ${file} NAME_WE)
    string(REGEX REPLACE "^tst_" "" name ${exe})
    add_executable(${exe} ${file})
    target_link_libraries(${exe} PRIVATE ${ARG_LIBS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${exe})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
