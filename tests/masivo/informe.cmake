# The bulk window's report hand-over, headless; a 30,000-row report is written
# to a PDF and read back with poppler-utils.
add_executable(informe_masivo_test informe_masivo_test.cpp)
target_link_libraries(informe_masivo_test PRIVATE masivo_ui simulados_impresion dialogos_simulados Qt6::Test)
add_test(NAME informe_masivo_test COMMAND informe_masivo_test)
set_tests_properties(informe_masivo_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

# A screenshot of the report preview for checking it by eye (not run by the tests).
add_executable(captura_informe EXCLUDE_FROM_ALL captura_informe.cpp)
target_link_libraries(captura_informe PRIVATE masivo_ui)
target_compile_definitions(captura_informe PRIVATE VAVIVIV_CARPETA_PROGRAMA="$<TARGET_FILE_DIR:vaviviv>")
