# GUI tests of the bulk window and its grid, headless: the offscreen platform
# and scripted message boxes, so that nothing waits for a user.

function(vaviviv_qtest_masivo nombre)
  add_executable(${nombre} ${ARGN})
  target_link_libraries(${nombre} PRIVATE masivo_ui dialogos_simulados Qt6::Test)
  add_test(NAME ${nombre} COMMAND ${nombre})
  set_tests_properties(${nombre} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  target_compile_definitions(${nombre} PRIVATE VAVIVIV_CLI="$<TARGET_FILE:vaviviv-cli>")
  add_dependencies(${nombre} vaviviv-cli)
endfunction()

# Stored files are compared with what vaviviv-cli writes for the same input.
vaviviv_qtest_masivo(frmMasivo_test frmMasivo_test.cpp)
vaviviv_qtest_masivo(frmMasivo_hostiles_test frmMasivo_hostiles_test.cpp)
# Report and help reach stand-ins.
target_link_libraries(frmMasivo_test PRIVATE simulados_impresion)
target_compile_definitions(frmMasivo_test PRIVATE VAVIVIV_SAMPLES="${PROJECT_SOURCE_DIR}/samples")

