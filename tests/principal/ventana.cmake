# GUI tests of the main window, headless: the offscreen platform and scripted
# message boxes, so that nothing waits for a user.

add_library(dialogos_simulados STATIC ${PROJECT_SOURCE_DIR}/tests/platform/dialogos_simulados.cpp)
target_include_directories(dialogos_simulados PUBLIC ${PROJECT_SOURCE_DIR}/tests/platform)
target_link_libraries(dialogos_simulados PUBLIC plataforma_ui)

function(vaviviv_qtest nombre)
  add_executable(${nombre} ${ARGN})
  target_link_libraries(${nombre} PRIVATE principal_ui dialogos_simulados Qt6::Test)
  add_test(NAME ${nombre} COMMAND ${nombre})
  set_tests_properties(${nombre} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

vaviviv_qtest(dialogos_test ${PROJECT_SOURCE_DIR}/tests/platform/dialogos_test.cpp)
vaviviv_qtest(frmPrincipal_arranque_test frmPrincipal_arranque_test.cpp)
vaviviv_qtest(frmPrincipal_calculo_test frmPrincipal_calculo_test.cpp)
vaviviv_qtest(frmPrincipal_teclas_test frmPrincipal_teclas_test.cpp)
vaviviv_qtest(frmPrincipal_calendario_test frmPrincipal_calendario_test.cpp)

# Without a display the tool says how to get one and runs the sample through
# vaviviv-cli instead.
add_test(NAME vaviviv_sin_pantalla
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          $<TARGET_FILE:vaviviv>)
set_tests_properties(vaviviv_sin_pantalla PROPERTIES
  PASS_REGULAR_EXPRESSION "necesita una pantalla.*xvfb-run -a .*vaviviv.*Dígito Verif.*1234566\t6")

# A screenshot of the window for checking it by eye (not run by the tests).
add_executable(captura_principal EXCLUDE_FROM_ALL captura_principal.cpp)
target_link_libraries(captura_principal PRIVATE principal_ui dialogos_simulados Qt6::Test)
