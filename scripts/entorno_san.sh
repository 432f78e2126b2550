# Sourced by scripts/probar.sh (and by hand, to run one test of build-san/):
# any sanitizer report ends the process with exit code 86, which fails the test
# that ran it, whether it is the test itself or a program it started.
raiz_san="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ASAN_OPTIONS="exitcode=86:halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="exitcode=86:halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$raiz_san/scripts/lsan.supp:print_suppressions=0"
unset raiz_san
