// What the unit tests share: a redisplay counter standing in for the toolkit.
#pragma once

extern int redisplayRequests;
