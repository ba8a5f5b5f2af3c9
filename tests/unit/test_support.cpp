#include "tests/unit/test_support.h"

#include "app/app_state.h"

int redisplayRequests = 0;

// The viewer hands redisplay requests to the toolkit; here they are counted.
void requestRedisplay() {
    ++redisplayRequests;
}
