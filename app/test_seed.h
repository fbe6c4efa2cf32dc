// Tests only: a build made with the test hooks (VORMELIN_TEST_HOOKS, on wherever the tests are
// built) seeds the board generator from VORMELIN_TEST_SEED when it is set, so that end-to-end
// tests can compare the same board across builds. Elsewhere it does nothing.
#pragma once

void apply_test_seed();
