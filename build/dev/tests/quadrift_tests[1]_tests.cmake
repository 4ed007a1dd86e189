add_test([=[Smoke.Builds]=]  /work/main/build/dev/tests/quadrift_tests [==[--gtest_filter=Smoke.Builds]==] --gtest_also_run_disabled_tests)
set_tests_properties([=[Smoke.Builds]=]  PROPERTIES WORKING_DIRECTORY /work/main/build/dev/tests SKIP_REGULAR_EXPRESSION [==[\[  SKIPPED \]]==])
set(  quadrift_tests_TESTS Smoke.Builds)
