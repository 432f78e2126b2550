# The bulk window's report hand-over, headless: the calls the report receives.
add_executable(informe_masivo_test informe_masivo_test.cpp)
target_link_libraries(informe_masivo_test PRIVATE masivo_ui dialogos_simulados Qt6::Test)
add_test(NAME informe_masivo_test COMMAND informe_masivo_test)
set_tests_properties(informe_masivo_test PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")

