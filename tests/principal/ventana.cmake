# GUI tests of the main window, headless: the offscreen platform and scripted
# message boxes, so that nothing waits for a user.

add_library(dialogos_simulados STATIC ${PROJECT_SOURCE_DIR}/tests/platform/dialogos_simulados.cpp)
target_include_directories(dialogos_simulados PUBLIC ${PROJECT_SOURCE_DIR}/tests/platform)
target_link_libraries(dialogos_simulados PUBLIC plataforma)

function(vaviviv_qtest nombre)
  add_executable(${nombre} ${ARGN})
  target_link_libraries(${nombre} PRIVATE principal_ui dialogos_simulados Qt6::Test)
  add_test(NAME ${nombre} COMMAND ${nombre})
  set_tests_properties(${nombre} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

vaviviv_qtest(dialogos_test ${PROJECT_SOURCE_DIR}/tests/platform/dialogos_test.cpp)
vaviviv_qtest(frmPrincipal_ventana_test frmPrincipal_ventana_test.cpp)

# Printing, the report and help: stand-ins for the printer, the report
# preview and the help viewer; PDFs are read back with poppler-utils.
add_library(simulados_impresion STATIC ${PROJECT_SOURCE_DIR}/tests/platform/simulados_impresion.cpp)
target_include_directories(simulados_impresion PUBLIC ${PROJECT_SOURCE_DIR}/tests/platform)
target_link_libraries(simulados_impresion PUBLIC plataforma)

vaviviv_qtest(ayuda_test ${PROJECT_SOURCE_DIR}/tests/platform/ayuda_test.cpp)
target_link_libraries(ayuda_test PRIVATE simulados_impresion)
target_compile_definitions(ayuda_test PRIVATE
  VAVIVIV_AYUDA="${PROJECT_SOURCE_DIR}/app/ayuda/VaviviV.hlp"
  VAVIVIV_CARPETA_PROGRAMA="$<TARGET_FILE_DIR:vaviviv>"
  VAVIVIV_VERSION_ESPERADA="${PROJECT_VERSION}")
add_dependencies(ayuda_test archivos_aplicacion)
vaviviv_qtest(informe_test ${PROJECT_SOURCE_DIR}/tests/platform/informe_test.cpp)
target_link_libraries(informe_test PRIVATE simulados_impresion)
vaviviv_qtest(frmPrincipal_comandos_test frmPrincipal_comandos_test.cpp)
target_link_libraries(frmPrincipal_comandos_test PRIVATE simulados_impresion)

# Without a display the tool says how to get one and runs the sample through
# vaviviv-cli instead.
add_test(NAME vaviviv_sin_pantalla
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          $<TARGET_FILE:vaviviv>)
set_tests_properties(vaviviv_sin_pantalla PROPERTIES
  PASS_REGULAR_EXPRESSION "necesita una pantalla.*xvfb-run -a .*vaviviv.*Dígito Verif.*1234566\t6")

