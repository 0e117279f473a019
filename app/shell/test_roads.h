// Test roads of the start-up (see test_roads.cpp): open only in the program's test build.
#pragma once

// 1 when the environment asks the start-up to treat the user as restricted.
int TestRoadRestrictedUser(void);

// 1, with the data source name, when the environment asks for a scanner-button launch.
int TestRoadScannerLaunch(char* dataSource, int size);
