# Tests of the MD5 code, built into core_tests.
