# The bulk window's report hand-over, headless; a 30,000-row report is written
# to a PDF and read back with poppler-utils.
add_executable(informe_masivo_test informe_masivo_test.cpp)
target_link_libraries(informe_masivo_test PRIVATE masivo_ui simulados_impresion dialogos_simulados Qt6::Test)
add_test(NAME informe_masivo_test COMMAND informe_masivo_test)
set_tests_properties(informe_masivo_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

